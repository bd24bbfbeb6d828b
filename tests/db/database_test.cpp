// The database layer against the real embedded engine: parameters, NULLs,
// dates, Windows-1252 texts, commit-retaining, nowait lock conflicts, units
// of work, generators and the errors a caller sees.
#include <gtest/gtest.h>

#include <functional>

#include "db/database.h"
#include "tests/support/fixture.h"

namespace {

using tltest::DatabaseTest;

TEST(PositionalSql, NamesBecomeMarkersOutsideLiteralsAndComments) {
    struct Case {
        const char* sql;
        const char* positional;
        std::vector<std::string> names;
    } cases[] = {
        {"select * from kasseb where belegnr = :belegnr", "select * from kasseb where belegnr = ?", {"belegnr"}},
        {"update tisch set summe = summe + :menge, bestellnr = :bestellnr where tischnr = :TISCHNR",
         "update tisch set summe = summe + ?, bestellnr = ? where tischnr = ?", {"menge", "bestellnr", "tischnr"}},
        {"update kasseb set epreis = epreis + :aufpreis, preis = preis + :aufpreis",
         "update kasseb set epreis = epreis + ?, preis = preis + ?", {"aufpreis", "aufpreis"}},
        {"select ':nicht' from x where a = 'it''s :no' and b = :ja", "select ':nicht' from x where a = 'it''s :no' and b = ?", {"ja"}},
        {"select 1 from x -- :kommentar\nwhere y = :y /* :z */", "select 1 from x -- :kommentar\nwhere y = ? /* :z */", {"y"}},
    };
    for (const auto& c : cases) {
        auto p = db::to_positional(c.sql);
        EXPECT_EQ(p.sql, c.positional) << c.sql;
        EXPECT_EQ(p.names, c.names) << c.sql;
    }
}

class Db : public DatabaseTest {};

TEST_F(Db, NamedParameterUsedTwiceAndConvertedToDeclaredTypes) {
    db.execute("insert into kasseb (kassenr, datum, belegnr, posi, menge, epreis, preis, kassierer, text, ktext) "
               "values (1, '09.12.2026', :belegnr, 1, :menge, :epreis, :epreis, :kassierer, :text, '')",
               {{"belegnr", 17}, {"menge", 2.5}, {"epreis", "4.20"}, {"kassierer", 3}, {"text", "Pils"}});
    db.execute("update kasseb set epreis = epreis + :aufpreis, preis = preis + :aufpreis where belegnr = :belegnr",
               {{"aufpreis", 0.5}, {"belegnr", "17"}});
    auto row = db.query_first("select * from kasseb where belegnr = :belegnr", {{"belegnr", 17}});
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->number("epreis"), 4.70);
    EXPECT_DOUBLE_EQ(row->number("preis"), 4.70);
    EXPECT_DOUBLE_EQ(row->number("menge"), 2.5);
    EXPECT_EQ(row->text("kassierer"), "3");
    EXPECT_EQ(row->integer("belegnr"), 17);
}

TEST_F(Db, NullColumnsReadNullSafeAndBlankTextStaysText) {
    db.execute("insert into tisch (tischnr, text, gastname) values (:tischnr, :text, :gastname)",
               {{"tischnr", 5}, {"text", ""}, {"gastname", db::Null{}}});
    db.execute("insert into kasseb (kassenr, datum, belegnr, posi, zeit1, gastnr) values (1, '09.12.2026', 1, 1, :zeit1, :gastnr)",
               {{"zeit1", ""}, {"gastnr", ""}});
    auto t = db.query_first("select * from tisch");
    ASSERT_TRUE(t);
    EXPECT_FALSE(t->is_null("text"));
    EXPECT_EQ(t->text("text"), "");
    EXPECT_TRUE(t->is_null("gastname"));
    EXPECT_EQ(t->text("gastname"), "");
    EXPECT_TRUE(t->is_null("summe"));
    EXPECT_EQ(t->number("summe"), 0.0);
    EXPECT_EQ(t->integer("bestellnr"), 0);
    auto k = db.query_first("select zeit1, gastnr from kasseb");
    ASSERT_TRUE(k);
    // A blank on a date or number column is stored as NULL.
    EXPECT_TRUE(k->is_null("zeit1"));
    EXPECT_TRUE(k->is_null("gastnr"));
}

TEST_F(Db, SumAndMaxOverNoRowsReadAsZero) {
    EXPECT_EQ(db.scalar("select max(posi) posi from kasseb where belegnr = :belegnr", {{"belegnr", 99}}, "posi"), 0.0);
    EXPECT_EQ(db.scalar("select sum(preis) preis from kasseb where belegnr = :belegnr", {{"belegnr", 99}}, "preis"), 0.0);
    EXPECT_EQ(db.scalar("select count(*) anzahl from kasseb", {}, "anzahl"), 0.0);
}

TEST_F(Db, DialectOneDateKeepsTimeOfDay) {
    const tl::DateTime t{{2026, 12, 9}, 23, 59, 58};
    db.execute("insert into logbuch (datum, bearbeiter, text) values (:datum, :bearbeiter, :text)",
               {{"datum", t}, {"bearbeiter", ""}, {"text", "x"}});
    auto row = db.query_first("select datum from logbuch");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->datetime("datum"), t);
    EXPECT_EQ(tl::format_datetime(row->datetime("datum")), "09.12.2026 23:59:58");
}

TEST_F(Db, Windows1252TextsRoundTripAsBytes) {
    const std::string text = "Grüße \xE4\xDF\x80 Maß 5€";  // compiled as Windows-1252
    ASSERT_EQ(std::string("ä"), "\xE4");
    db.execute("insert into logbuch (datum, bearbeiter, text) values (:datum, '', :text)",
               {{"datum", tl::DateTime{}}, {"text", text}});
    auto row = db.query_first("select text, char_length(text) n, octet_length(text) o from logbuch");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text("text"), text);
    EXPECT_EQ(row->integer("n"), static_cast<long long>(text.size()));
    EXPECT_EQ(row->integer("o"), static_cast<long long>(text.size()));
    // The database compares them as the characters they are.
    auto hit = db.query_first("select count(*) anzahl from logbuch where text like '%Maß 5€'");
    EXPECT_EQ(hit->integer("anzahl"), 1);
}

TEST_F(Db, CommitIsVisibleToAnotherAttachmentAndTransactionStaysUsable) {
    db::Database other;
    open_other(other);
    db.execute("insert into netjob (jobid, puffer) values (1, 'D;12;2;4711;3')");
    EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 0.0);
    db.commit();
    EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 1.0);
    // Still the same transaction context: the next statement needs no restart.
    db.execute("insert into netjob (jobid, puffer) values (2, 'K;1;;;3')");
    db.commit();
    EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 2.0);
    // The other attachment sees a row committed after its own reads began.
    other.execute("insert into netjob (jobid, puffer) values (3, 'Q;1;;;3')");
    other.commit();
    EXPECT_EQ(db.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 3.0);
}

TEST_F(Db, RowHeldByAnotherAttachmentFailsAtOnceAsLockConflict) {
    db.execute("insert into tisch (tischnr, summe) values (12, 0)");
    db.commit();
    db::Database other;
    open_other(other);
    other.execute("update tisch set summe = 5 where tischnr = 12");  // not committed
    try {
        db.execute("update tisch set summe = summe + 1 where tischnr = 12");
        FAIL() << "update of a locked row succeeded";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.lock_conflict()) << e.what();
        EXPECT_FALSE(e.connection_lost());
    }
    other.rollback();
    EXPECT_EQ(db.execute("update tisch set summe = summe + 1 where tischnr = 12"), 1);
    db.commit();
}

TEST_F(Db, UnitOfWorkThatThrowsLeavesNothingBehind) {
    db::Database other;
    open_other(other);
    try {
        db::UnitOfWork unit(db);
        db.execute("insert into netjob (jobid, puffer) values (1, 'a')");
        db.commit();  // collected, not yet real
        EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 0.0);
        db.execute("insert into netjob (jobid, puffer) values (2, 'b')");
        throw std::runtime_error("Abbruch");
    } catch (const std::runtime_error&) {
    }
    db.commit();
    EXPECT_EQ(db.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 0.0);
    EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 0.0);
}

TEST_F(Db, UnitOfWorkThatCompletesCommitsOnce) {
    db::Database other;
    open_other(other);
    const auto before = db.real_commits();
    {
        db::UnitOfWork unit(db);
        for (int i = 1; i <= 3; ++i) {
            db.execute("insert into netjob (jobid, puffer) values (:jobid, 'x')", {{"jobid", i}});
            db.commit();
        }
        {
            db::UnitOfWork inner(db);  // hands its work on to the outer unit
            db.execute("delete from netjob where jobid = 1");
            db.commit();
            inner.commit();
        }
        EXPECT_EQ(db.real_commits(), before);
        unit.commit();
    }
    EXPECT_EQ(db.real_commits(), before + 1);
    EXPECT_EQ(other.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 2.0);
}

TEST_F(Db, InnerUnitLeftByExceptionUndoesOnlyItsOwnWork) {
    {
        db::UnitOfWork unit(db);
        db.execute("insert into netjob (jobid, puffer) values (1, 'bleibt')");
        try {
            db::UnitOfWork inner(db);
            db.execute("insert into netjob (jobid, puffer) values (2, 'weg')");
            throw std::runtime_error("Fehler");
        } catch (const std::runtime_error&) {
        }
        {
            db::UnitOfWork inner(db);
            db.execute("insert into netjob (jobid, puffer) values (3, 'bleibt')");
            inner.commit();
        }
        unit.commit();
    }
    auto rows = db.query("select jobid from netjob order by jobid");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].integer("jobid"), 1);
    EXPECT_EQ(rows[1].integer("jobid"), 3);
}

TEST_F(Db, GeneratorValuesComeInSequence) {
    const auto a = db.generator("belegnr");
    const auto b = db.generator("belegnr");
    const auto c = db.generator("belegnr");
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(c, a + 2);
    EXPECT_EQ(db.generator("jobid"), 1);
    EXPECT_EQ(db.generator("netjobid"), 1);
}

TEST_F(Db, StatementCacheReusesPreparedStatements) {
    for (int i = 0; i < 3; ++i) db.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)", {{"jobid", i}, {"puffer", "x"}});
    EXPECT_EQ(db.statements_executed(), 3u);
    db.set_statement_cache(false);
    db.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)", {{"jobid", 9}, {"puffer", "y"}});
    EXPECT_EQ(db.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 4.0);
}

// Bad input: each error names what failed, none crashes.
std::string message_of(const std::function<void()>& f) {
    try {
        f();
    } catch (const db::Error& e) {
        return e.what();
    }
    return "(no error)";
}

TEST_F(Db, ErrorsNameWhatFailed) {
    const std::string missing_param = message_of([&] { db.query("select * from tisch where tischnr = :tischnr"); });
    EXPECT_NE(missing_param.find(":tischnr"), std::string::npos) << missing_param;
    const std::string unknown_param =
        message_of([&] { db.query("select * from tisch where tischnr = :tischnr", {{"tischnr", 1}, {"tisch", 2}}); });
    EXPECT_NE(unknown_param.find(":tisch "), std::string::npos) << unknown_param;
    const std::string bad_number =
        message_of([&] { db.query("select * from tisch where tischnr = :tischnr", {{"tischnr", "1x"}}); });
    EXPECT_NE(bad_number.find("conversion"), std::string::npos) << bad_number;
    const std::string bad_sql = message_of([&] { db.query("select * from gibtsnicht"); });
    EXPECT_NE(bad_sql.find("GIBTSNICHT"), std::string::npos) << bad_sql;
    const std::string unknown_column = message_of([&] { db.query_first("select tischnr from tisch union select 1 from rdb$database")->text("summe"); });
    EXPECT_NE(unknown_column.find("summe"), std::string::npos) << unknown_column;
}

TEST(DbOpen, MissingDatabaseFileIsAClearError) {
    tltest::TempDir dir;
    db::Database database;
    database.set_name((dir / "fehlt.fdb").string());
    try {
        database.open();
        FAIL() << "opened a missing file";
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("fehlt.fdb"), std::string::npos) << e.what();
        EXPECT_FALSE(e.lock_conflict());
    }
    EXPECT_FALSE(database.is_open());
    EXPECT_THROW(database.query("select 1 from rdb$database"), db::Error);
}

}  // namespace

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"

namespace {

// The catalogue is process-wide: this one test walks its life in order.
TEST(Catalogue, LanguagesAndLazyLoading) {
    EXPECT_EQ(tl::catalogue_text(1005), "") << "before a language is set every text is empty";
    tl::set_catalogue_language(1);
    EXPECT_EQ(tl::catalogue_text(1005), "Drucker ist ein");
    EXPECT_EQ(tl::catalogue_text(1004), "");
    EXPECT_EQ(tl::catalogue_text(1263), "Tisch");
    EXPECT_EQ(tl::catalogue_text(699), "das Netzwerk ist nicht funktionsf\xE4hig");
    EXPECT_EQ(tl::catalogue_text(0), "");
    EXPECT_EQ(tl::catalogue_text(1272), "");

    // Text 1263 "Tisch" is German only. A language's loader writes only its
    // own entries into the resident table.
    struct Case {
        int language;
        const char* t75;
        const char* t1263;
    } cases[] = {{2, "Monnaie", ""}, {3, "Currency", ""}, {4, "Moeda", ""}, {5, "Valuta", ""}, {6, "Moneda", "Mesa"}};
    for (const auto& c : cases) EXPECT_EQ(tl::catalogue_entry(c.language, 1263), c.t1263) << c.language;
    for (const auto& c : cases) {
        tl::set_catalogue_language(0);
        tl::catalogue_text(1);  // clears the reload mark, keeps the table
        tl::set_catalogue_language(c.language);
        EXPECT_EQ(tl::catalogue_text(75), c.t75) << c.language;
        EXPECT_EQ(tl::catalogue_text(1004), "") << c.language;
    }
    tl::set_catalogue_language(1);
    EXPECT_EQ(tl::catalogue_text(75), "Waehrung");
}

}  // namespace

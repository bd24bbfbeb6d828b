// The Firebird root directory the client library and the embedded engine
// read their configuration from. Several processes of the till (server,
// relay stand-in, tablet tool, isql, tests) open one embedded database file
// at once, which needs the engine in SuperClassic mode; Debian's default
// (Super) locks the file to one process. Without touching the system
// configuration we keep a private root: its firebird.conf sets SuperClassic,
// plugins, lib, UDF, messages and plugins.conf link to the system root, and
// intl/ holds a copy of the character-set library (the engine refuses a link).
#pragma once

#include <string>

namespace db {

// Uses $FIREBIRD when it names a directory with a firebird.conf; otherwise
// creates (once) the private root under $XDG_RUNTIME_DIR or the temporary
// directory and points $FIREBIRD at it. Returns the root in use. Must run
// before the client library is first used; Database does that itself.
std::string ensure_firebird_root();

}  // namespace db

#pragma once

#include <QString>

struct sqlite3;

// The one translator from the Jet dialect the windows write to SQLite with the same meaning:
// [bracketed names] become quoted identifiers, text is compared and ordered without regard to case
// (through the JETTEXT collation), and LIKE follows Jet's wildcards (* ? # [...]) so that a % or _
// typed by an operator stays a plain character.
namespace JetSql {

// Translates a record source or criterion. A bare table name becomes SELECT * FROM it.
QString toSqlite(const QString& jet);

// The table a record source reads: the name itself, or the one after FROM.
QString tableOf(const QString& source);

// Jet's LIKE: * any run, ? one character, # one digit, [abc] [a-z] [!a-z] one character of (not
// of) a set; everything else literal; letters compared without regard to case.
bool like(const QString& text, const QString& pattern);

// Registers the LIKE override and the JETTEXT collation on a connection.
void registerFunctions(sqlite3* db);

// Unicode-aware case-insensitive comparison used by JETTEXT.
int compareText(const QString& a, const QString& b);

} // namespace JetSql

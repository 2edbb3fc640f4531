#pragma once

#include <QString>

class Database;

// The content a new database starts with: the configuration row, the eleven layout names, the base
// layout (a designed 1920 x 1080 screen) copied into Layout1 and, hidden, into Layout2 .. Layout10,
// every Italian town for the weather, and one chime synthesised into the program folder.
namespace Seed {

// Fills a freshly created, empty schema. `folder` is where the chime's WAV file is written.
void populate(Database& database, const QString& folder);

} // namespace Seed

#pragma once

#include <QByteArray>
#include <QString>

// A fingerprint of everything a settings database holds: every row of every table, in stored
// order, values with their kinds. Two files with the same digest hold the same settings, whatever
// their page layout, journal or header say.
QByteArray databaseDigest(const QString& path);

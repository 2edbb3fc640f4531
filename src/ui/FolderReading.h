#pragma once

#include <QString>

// Shared by the drive, folder and file lists.

// Why the folder at path cannot be listed, as one sentence for the operator; empty when it can.
QString folderReadProblem(const QString& path);

// The folder at path as the lists show and hand it on: absolute, cleaned, with the platform's separators.
QString nativeFolderPath(const QString& path);

// The hourglass while the lists read the disk. Set for every listing: a quick one never shows it, a slow
// one (a network folder, thousands of files) shows it for as long as it takes.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

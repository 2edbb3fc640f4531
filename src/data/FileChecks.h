#pragma once

#include <QString>

// Whether a file may be written at a place, asked before anything is written. The permission bits
// count even for a user whose rights would override them (an administrator, root): a folder or a
// file the operator marked read-only stays read-only for this program.
namespace FileChecks {

// Throws StoreError when `folder` is missing or cannot take new files.
void requireWritableFolder(const QString& folder);

// Throws StoreError when a file cannot be written at `path`: its folder cannot take it, or the file
// there is read-only or not a file.
void requireWritableTarget(const QString& path);

} // namespace FileChecks

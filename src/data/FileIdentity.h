#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Which file a path names right now: the device and file number the system gives it. Two paths,
// or one path at two moments, with the same identity are the same file; a file copied or moved over
// another one gets a new identity, so a connection can tell that the file it opened is gone.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    // None when nothing is at `path`.
    static std::optional<FileIdentity> of(const QString& path);

    bool operator==(const FileIdentity&) const = default;
};

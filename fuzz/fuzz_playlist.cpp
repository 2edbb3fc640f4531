// The playlist reader, fed any file content. Whatever it reads must write back and read again as
// the same entries: an operator who opens a playlist and saves it loses nothing.
#include "data/PlaylistFile.h"
#include "data/StoreError.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QStringList entries = PlaylistFile::decode(bytes);
    QByteArray written;
    try {
        written = PlaylistFile::encode(entries);
    } catch (const StoreError&) {
        std::abort(); // every entry read from a file must be writable
    }
    if (PlaylistFile::decode(written) != entries)
        std::abort();
    return 0;
}

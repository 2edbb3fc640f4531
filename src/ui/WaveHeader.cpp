#include "ui/WaveHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr int ChunkHeaderBytes = 8;
constexpr int MinimumFormatBytes = 16;
// A wave that names more chunks than this before its samples is not one we want to walk.
constexpr int MaximumChunks = 64;

quint16 le16(const char* bytes)
{
    return qFromLittleEndian<quint16>(bytes);
}

quint32 le32(const char* bytes)
{
    return qFromLittleEndian<quint32>(bytes);
}

bool readExactly(QIODevice& device, char* out, qint64 count)
{
    return device.read(out, count) == count;
}

} // namespace

qint64 WaveHeader::durationMs() const
{
    if (!valid || byteRate == 0)
        return 0;
    return (dataBytes * 1000 + byteRate - 1) / byteRate;
}

WaveHeader WaveHeader::read(QIODevice& device)
{
    WaveHeader header;
    char riff[12];
    if (!readExactly(device, riff, sizeof riff) || qstrncmp(riff, "RIFF", 4) != 0 || qstrncmp(riff + 8, "WAVE", 4) != 0)
        return header;

    bool haveFormat = false;
    for (int chunk = 0; chunk < MaximumChunks; ++chunk) {
        char chunkHeader[ChunkHeaderBytes];
        if (!readExactly(device, chunkHeader, ChunkHeaderBytes))
            return header;
        const qint64 size = le32(chunkHeader + 4);
        const qint64 bodyStart = device.pos();

        if (qstrncmp(chunkHeader, "fmt ", 4) == 0) {
            if (size < MinimumFormatBytes)
                return header;
            char format[MinimumFormatBytes];
            if (!readExactly(device, format, MinimumFormatBytes))
                return header;
            header.formatTag = le16(format);
            header.channels = le16(format + 2);
            header.sampleRate = le32(format + 4);
            header.byteRate = le32(format + 8);
            header.blockAlign = le16(format + 12);
            header.bitsPerSample = le16(format + 14);
            haveFormat = true;
        } else if (qstrncmp(chunkHeader, "data", 4) == 0) {
            // The samples must come after their description. Writers that stream leave the size
            // unset or too large, so only what the file holds counts.
            if (!haveFormat)
                return header;
            const qint64 available = device.isSequential() ? size : device.size() - bodyStart;
            header.dataBytes = qMin(size, qMax<qint64>(available, 0));
            header.valid = header.channels > 0 && header.sampleRate > 0 && header.byteRate > 0 &&
                           header.blockAlign > 0 && header.bitsPerSample > 0;
            return header;
        }
        // Chunks are padded to an even length.
        const qint64 next = bodyStart + size + (size & 1);
        if ((!device.isSequential() && next > device.size()) || !device.seek(next))
            return header;
    }
    return header;
}

WaveHeader WaveHeader::readFile(const QString& path)
{
    // A pipe or a device named like a wave would block the read, so only plain files are opened.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file);
}

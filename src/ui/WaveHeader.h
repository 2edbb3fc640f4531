#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// What the header of a RIFF wave file says about its sound, read without touching the samples.
// Enough to refuse a file that is not a wave before handing it to the audio engine, and to know
// how long the sound lasts so that a synchronous play can be bounded.
struct WaveHeader {
    enum Encoding : quint16 { Pcm = 0x0001, IeeeFloat = 0x0003, Extensible = 0xFFFE };

    bool valid = false;
    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    qint64 dataBytes = 0; // as far as the file really holds them

    // Duration of the samples, rounded up to a whole millisecond; 0 for an invalid header.
    qint64 durationMs() const;

    static WaveHeader read(QIODevice& device);
    // A path that is not a regular file (missing, a folder, a pipe) gives an invalid header.
    static WaveHeader readFile(const QString& path);
};

#pragma once

#include <QByteArray>
#include <QString>

// The chime a new installation starts with: a two-tone "din-don" (E5 then C5, each a decaying sine
// with a soft overtone), written as a PCM WAV file the display program can play as it is.
class ChimeSynth
{
public:
    static constexpr int SampleRate = 22050;
    static constexpr int BitsPerSample = 16;
    static constexpr int Channels = 1;
    static constexpr double Seconds = 1.2;
    static constexpr const char* FileName = "dindon.wav";

    // The complete file: RIFF header, fmt chunk, data chunk.
    static QByteArray wave();

    // Writes wave() to `path`, replacing any file there. Throws StoreError when it cannot.
    static void writeTo(const QString& path);
};

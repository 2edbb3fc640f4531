#include "data/seed/ChimeSynth.h"

#include "data/StoreError.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Tone {
    double frequency; // Hz
    double start;     // seconds
};

// E5 struck first, C5 a little later while E5 still rings.
constexpr Tone Tones[] = {{659.255, 0.0}, {523.251, 0.38}};
constexpr double Attack = 0.006;   // seconds: a short rise avoids a click at each strike
constexpr double Decay = 0.32;     // seconds for the tone to fall to 1/e
constexpr double Overtone = 0.18;  // level of the second harmonic, which makes it sound like a bell
constexpr double ToneLevel = 0.42; // two tones overlapping stay below full scale
constexpr double FadeOut = 0.04;   // seconds: the file ends in silence, not mid-wave

double toneAt(const Tone& tone, double t)
{
    const double local = t - tone.start;
    if (local < 0.0)
        return 0.0;
    const double envelope = std::min(1.0, local / Attack) * std::exp(-local / Decay);
    const double phase = 2.0 * std::numbers::pi * tone.frequency * local;
    return envelope * (std::sin(phase) + Overtone * std::sin(2.0 * phase)) / (1.0 + Overtone);
}

void appendLe32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLe16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray ChimeSynth::wave()
{
    const int frames = static_cast<int>(std::lround(Seconds * SampleRate));
    const quint32 dataBytes = static_cast<quint32>(frames * Channels * BitsPerSample / 8);
    const quint16 blockAlign = Channels * BitsPerSample / 8;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(44 + dataBytes));
    out.append("RIFF");
    appendLe32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    appendLe32(out, 16);
    appendLe16(out, 1); // PCM
    appendLe16(out, Channels);
    appendLe32(out, SampleRate);
    appendLe32(out, static_cast<quint32>(SampleRate * blockAlign));
    appendLe16(out, blockAlign);
    appendLe16(out, BitsPerSample);
    out.append("data");
    appendLe32(out, dataBytes);

    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double sample = 0.0;
        for (const Tone& tone : Tones)
            sample += ToneLevel * toneAt(tone, t);
        sample *= std::clamp((Seconds - t) / FadeOut, 0.0, 1.0);
        const long scaled = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
        appendLe16(out, static_cast<quint16>(static_cast<qint16>(scaled)));
    }
    return out;
}

void ChimeSynth::writeTo(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wave()) < 0 || !file.commit())
        throw StoreError(QStringLiteral("Impossibile scrivere il suono di chiamata iniziale."), path,
                         QStringLiteral("DinDon"), QStringLiteral("dindon"), file.errorString());
}

#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cmath>
#include <numbers>

// Builds wave files in memory for the sound tests: a tone of the given length, or chunks by hand.
namespace WaveBytes {

template <typename T> void append(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

inline QByteArray chunk(const char* id, const QByteArray& body, qint64 declaredSize = -1)
{
    QByteArray out(id, 4);
    append<quint32>(out, static_cast<quint32>(declaredSize < 0 ? body.size() : declaredSize));
    return out + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

inline QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const auto blockAlign = static_cast<quint16>(channels * bits / 8);
    QByteArray body;
    for (const quint16 value : {tag, channels})
        append(body, value);
    for (const quint32 value : {rate, rate * blockAlign})
        append(body, value);
    for (const quint16 value : {blockAlign, bits})
        append(body, value);
    return chunk("fmt ", body);
}

inline QByteArray riff(const QByteArray& chunks, const char* form = "WAVE")
{
    return chunk("RIFF", QByteArray(form, 4) + chunks);
}

// 16-bit mono at 22050 Hz: 44100 bytes a second.
inline QByteArray tone(double seconds, double frequency = 660.0)
{
    constexpr quint32 Rate = 22050;
    QByteArray samples;
    for (int i = 0; i < static_cast<int>(seconds * Rate); ++i)
        append(samples, static_cast<qint16>(6000.0 * std::sin(2.0 * std::numbers::pi * frequency * i / Rate)));
    return riff(format(0x0001, 1, Rate, 16) + chunk("data", samples));
}

} // namespace WaveBytes

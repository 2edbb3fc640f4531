#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cmath>
#include <numbers>

// Builds wave files in memory for the sound tests: a tone of the given length, or chunks by hand.
namespace WaveBytes {

inline void le16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void le32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline QByteArray chunk(const char* id, const QByteArray& body, qint64 declaredSize = -1)
{
    QByteArray out(id, 4);
    le32(out, static_cast<quint32>(declaredSize < 0 ? body.size() : declaredSize));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

inline QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 blockAlign = static_cast<quint16>(channels * bits / 8);
    QByteArray body;
    le16(body, tag);
    le16(body, channels);
    le32(body, rate);
    le32(body, rate * blockAlign);
    le16(body, blockAlign);
    le16(body, bits);
    return chunk("fmt ", body);
}

inline QByteArray riff(const QByteArray& chunks, const char* form = "WAVE")
{
    QByteArray out("RIFF");
    le32(out, static_cast<quint32>(chunks.size() + 4));
    out.append(form, 4);
    return out + chunks;
}

// 16-bit mono at 22050 Hz: 44100 bytes a second.
inline QByteArray tone(double seconds, double frequency = 660.0)
{
    constexpr quint32 Rate = 22050;
    const int frames = static_cast<int>(seconds * Rate);
    QByteArray samples;
    samples.reserve(frames * 2);
    for (int i = 0; i < frames; ++i)
        le16(samples, static_cast<quint16>(
                          static_cast<qint16>(6000.0 * std::sin(2.0 * std::numbers::pi * frequency * i / Rate))));
    return riff(format(0x0001, 1, Rate, 16) + chunk("data", samples));
}

} // namespace WaveBytes

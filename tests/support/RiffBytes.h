#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cmath>
#include <initializer_list>
#include <numbers>

// Sound and video files made in memory for the tests that read or play them: chunks by hand, a wave
// tone of a given length, a short clip.
namespace RiffBytes {

// Appends each value as little-endian bytes.
template <typename T> void append(QByteArray& out, std::initializer_list<T> values)
{
    for (const T value : values) {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        out.append(bytes, sizeof(T));
    }
}

inline QByteArray chunk(const char* id, const QByteArray& body, qint64 declaredSize = -1)
{
    QByteArray out(id, 4);
    append<quint32>(out, {static_cast<quint32>(declaredSize < 0 ? body.size() : declaredSize)});
    return out + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

inline QByteArray riff(const QByteArray& chunks, const char* form = "WAVE")
{
    return chunk("RIFF", QByteArray(form, 4) + chunks);
}

inline QByteArray list(const char* type, const QByteArray& body)
{
    return chunk("LIST", QByteArray(type, 4) + body);
}

inline QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const auto blockAlign = static_cast<quint16>(channels * bits / 8);
    QByteArray body;
    append<quint16>(body, {tag, channels});
    append<quint32>(body, {rate, rate * blockAlign});
    append<quint16>(body, {blockAlign, bits});
    return chunk("fmt ", body);
}

// 16-bit mono at 22050 Hz: 44100 bytes a second.
inline QByteArray tone(double seconds, double frequency = 660.0)
{
    constexpr quint32 Rate = 22050;
    QByteArray samples;
    for (int i = 0; i < static_cast<int>(seconds * Rate); ++i)
        append<qint16>(samples,
                       {static_cast<qint16>(6000.0 * std::sin(2.0 * std::numbers::pi * frequency * i / Rate))});
    return riff(format(0x0001, 1, Rate, 16) + chunk("data", samples));
}

// A short motion-JPEG clip in an AVI file, the simplest video the usual decoders all play.
inline QByteArray mjpegClip(int frames, int width, int height, int fps)
{
    QByteArray movi;
    QByteArray index;
    quint32 largest = 0;
    for (int i = 0; i < frames; ++i) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 360 / frames, 200, 220));
        QPainter(&image).fillRect(i * width / frames, 0, width / 8, height, Qt::black);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        index += "00dc";
        // A key frame, where it starts and its size.
        append<quint32>(index, {0x10, static_cast<quint32>(4 + movi.size()), static_cast<quint32>(jpeg.size())});
        movi += chunk("00dc", jpeg);
        largest = qMax(largest, static_cast<quint32>(jpeg.size()));
    }
    const auto w = static_cast<quint32>(width);
    const auto h = static_cast<quint32>(height);
    const auto n = static_cast<quint32>(frames);
    const auto f = static_cast<quint32>(fps);
    QByteArray avih;
    // Frame time, data rate, padding, flags (indexed), frames, initial frames, streams, buffer, size.
    append<quint32>(avih, {1000000 / f, largest * f, 0u, 0x10u, n, 0u, 1u, largest, w, h, 0u, 0u, 0u, 0u});
    QByteArray strh("vidsMJPG");
    // Flags, priority and language, initial frames, scale, rate, start, length, buffer, quality,
    // sample size, then the frame rectangle in 16-bit halves.
    append<quint32>(strh, {0u, 0u, 0u, 1u, f, 0u, n, largest, 0xFFFFFFFFu, 0u, 0u, w | h << 16});
    QByteArray strf; // the bitmap header: size, width, height, planes and depth, codec, image size
    append<quint32>(strf, {40u, w, h, 1u | 24u << 16});
    strf += "MJPG";
    append<quint32>(strf, {w * h * 3, 0u, 0u, 0u, 0u});
    return riff(list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
                    list("movi", movi) + chunk("idx1", index),
                "AVI ");
}

} // namespace RiffBytes

#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <initializer_list>

// Video files made on the spot, for the tests that play them.
namespace ClipFixture {

// Appends each value as four little-endian bytes.
inline void le32(QByteArray& out, std::initializer_list<quint32> values)
{
    for (const quint32 value : values) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    }
}

inline QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    le32(out, {static_cast<quint32>(body.size())});
    return out + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

inline QByteArray list(const char* type, const QByteArray& body)
{
    return chunk("LIST", QByteArray(type, 4) + body);
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
        le32(index, {0x10, static_cast<quint32>(4 + movi.size()), static_cast<quint32>(jpeg.size())});
        movi += chunk("00dc", jpeg);
        largest = qMax(largest, static_cast<quint32>(jpeg.size()));
    }

    const auto w = static_cast<quint32>(width);
    const auto h = static_cast<quint32>(height);
    const auto n = static_cast<quint32>(frames);
    const auto f = static_cast<quint32>(fps);
    QByteArray avih;
    // Frame time, data rate, padding, flags (indexed), frames, initial frames, streams, buffer, size.
    le32(avih, {1000000 / f, largest * f, 0u, 0x10u, n, 0u, 1u, largest, w, h, 0u, 0u, 0u, 0u});
    QByteArray strh("vidsMJPG");
    // Flags, priority and language, initial frames, scale, rate, start, length, buffer, quality,
    // sample size, then the frame rectangle in 16-bit halves.
    le32(strh, {0u, 0u, 0u, 1u, f, 0u, n, largest, 0xFFFFFFFFu, 0u, 0u, w | h << 16});
    QByteArray strf; // the bitmap header: size, width, height, planes and depth, codec, image size
    le32(strf, {40u, w, h, 1u | 24u << 16});
    strf += "MJPG";
    le32(strf, {w * h * 3, 0u, 0u, 0u, 0u});

    const QByteArray body =
        QByteArray("AVI ") +
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
        list("movi", movi) + chunk("idx1", index);
    QByteArray out("RIFF");
    le32(out, {static_cast<quint32>(body.size())});
    return out + body;
}

} // namespace ClipFixture

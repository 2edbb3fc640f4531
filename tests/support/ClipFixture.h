#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QtEndian>

// Video files made on the spot, for the tests that play them.
namespace ClipFixture {

inline void le32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    le32(out, static_cast<quint32>(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
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
        le32(index, 0x10); // key frame
        le32(index, static_cast<quint32>(4 + movi.size()));
        le32(index, static_cast<quint32>(jpeg.size()));
        movi += chunk("00dc", jpeg);
        largest = qMax(largest, static_cast<quint32>(jpeg.size()));
    }

    const auto w = static_cast<quint32>(width);
    const auto h = static_cast<quint32>(height);
    const auto n = static_cast<quint32>(frames);
    const auto f = static_cast<quint32>(fps);
    QByteArray avih;
    // Frame time, data rate, padding, flags (indexed), frames, initial frames, streams, buffer, size.
    for (const quint32 v : {1000000 / f, largest * f, 0u, 0x10u, n, 0u, 1u, largest, w, h, 0u, 0u, 0u, 0u})
        le32(avih, v);
    QByteArray strh("vidsMJPG");
    // Flags, priority and language, initial frames, scale, rate, start, length, buffer, quality,
    // sample size, then the frame rectangle in 16-bit halves.
    for (const quint32 v : {0u, 0u, 0u, 1u, f, 0u, n, largest, 0xFFFFFFFFu, 0u, 0u, w | h << 16})
        le32(strh, v);
    QByteArray strf; // the bitmap header: size, width, height, planes and depth, codec, image size
    for (const quint32 v : {40u, w, h, 1u | 24u << 16})
        le32(strf, v);
    strf += "MJPG";
    for (const quint32 v : {w * h * 3, 0u, 0u, 0u, 0u})
        le32(strf, v);

    const QByteArray body =
        QByteArray("AVI ") +
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
        list("movi", movi) + chunk("idx1", index);
    QByteArray out("RIFF");
    le32(out, static_cast<quint32>(body.size()));
    return out + body;
}

} // namespace ClipFixture

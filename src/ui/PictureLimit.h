#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Qt decodes no picture whose pixels would take more memory than its image allocation limit
// (QImageReader::allocationLimit): such a file reads as no picture at all. The windows that load a
// picture whole ask first, so the operator hears that it is too large, not that it is unreadable.
namespace PictureLimit {

// Whether a picture of `size`, decoded whole, is beyond the limit; an unknown size is not.
bool exceeded(const QSize& size);

// What the operator reads then: the sentence, the file and the picture's size.
QStringList message(const QString& fileName, const QSize& size);

} // namespace PictureLimit

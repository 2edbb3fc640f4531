#include "ui/PictureLimit.h"

#include <QImageReader>

namespace PictureLimit {

bool exceeded(const QSize& size)
{
    const qint64 limit = static_cast<qint64>(QImageReader::allocationLimit()) * 1024 * 1024;
    return size.isValid() && limit > 0 && static_cast<qint64>(size.width()) * size.height() * 4 > limit;
}

QStringList message(const QString& fileName, const QSize& size)
{
    return {QStringLiteral("L'immagine è troppo grande per essere caricata:"), fileName,
            QStringLiteral("%1 x %2 pixel").arg(size.width()).arg(size.height())};
}

} // namespace PictureLimit

#include "texts/ScrollingPreview.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace ScrollingPreview {

namespace {

// The length of the buffer's first character as the operator sees it.
qsizetype firstCharacterLength(const QString& buffer)
{
    // A boundary depends only on what comes before it and the one code point after, so a prefix
    // finds it; the prefix grows only for a character longer than itself. A long text then costs
    // no more per step than a short one.
    for (qsizetype prefix = 64;; prefix *= 2) {
        const qsizetype length = std::min(prefix, buffer.size());
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, buffer.constData(), length);
        const qsizetype first = characters.toNextBoundary();
        if (first < length || length == buffer.size())
            return std::max<qsizetype>(first, 0);
    }
}

} // namespace

QString start(const QString& text)
{
    return text + QString(Gap, QLatin1Char(' '));
}

QString step(const QString& buffer)
{
    const qsizetype first = firstCharacterLength(buffer);
    if (first <= 0)
        return buffer;
    return buffer.mid(first) + buffer.left(first);
}

QString after(const QString& text, int steps)
{
    QString buffer = start(text);
    for (int done = 0; done < steps; ++done)
        buffer = step(buffer);
    return buffer;
}

} // namespace ScrollingPreview

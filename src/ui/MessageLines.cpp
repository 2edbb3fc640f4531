#include "ui/MessageLines.h"

#include "ui/WindowFont.h"

#include <QFontMetrics>

namespace {

// The width of a message line, and its font (MsgForm's Label2).
constexpr int LineWidth = 392;

// `word` broken into pieces that fit, each ending after a path separator where one is near.
QStringList breakWord(const QString& word, const QFontMetrics& metrics)
{
    QStringList pieces;
    QString rest = word;
    while (metrics.horizontalAdvance(rest) > LineWidth) {
        qsizetype fits = 1;
        while (fits < rest.size() && metrics.horizontalAdvance(rest.left(fits + 1)) <= LineWidth)
            ++fits;
        qsizetype cut = fits;
        for (qsizetype at = fits - 1; at > fits / 2; --at) {
            if (rest.at(at) == QLatin1Char('/') || rest.at(at) == QLatin1Char('\\')) {
                cut = at + 1;
                break;
            }
        }
        pieces.append(rest.left(cut));
        rest = rest.mid(cut);
    }
    pieces.append(rest);
    return pieces;
}

} // namespace

namespace MessageLines {

QStringList fit(const QStringList& paragraphs)
{
    const QFontMetrics metrics(WindowFont::tahoma(9.75));
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(joined) <= LineWidth) {
                line = joined;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            QStringList pieces = breakWord(word, metrics);
            line = pieces.takeLast();
            lines.append(pieces);
        }
        lines.append(line);
    }
    if (lines.size() > MaxLines) {
        lines = lines.mid(0, MaxLines);
        lines.last() = metrics.elidedText(lines.last() + QStringLiteral(" …"), Qt::ElideRight, LineWidth);
        if (!lines.last().endsWith(QChar(0x2026)))
            lines.last() += QChar(0x2026);
    }
    return lines;
}

} // namespace MessageLines

#include "texts/CallTime.h"

#include <cmath>

namespace CallTime {

QString shownSeconds(std::optional<double> milliseconds)
{
    if (!milliseconds || !std::isfinite(*milliseconds))
        return QStringLiteral("0");
    return QString::number(std::floor(*milliseconds / 1000.0), 'f', 0);
}

double leadingNumber(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] == QLatin1Char(' '))
        ++end;
    const qsizetype begin = end;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    bool point = false;
    for (; end < text.size(); ++end) {
        const QChar character = text[end];
        if (character == QLatin1Char('.') && !point)
            point = true;
        else if (character < QLatin1Char('0') || character > QLatin1Char('9'))
            break;
    }
    bool ok = false;
    const double number = text.mid(begin, end - begin).toDouble(&ok);
    return ok ? number : 0.0;
}

std::optional<double> millisecondsFor(const QString& text)
{
    const double seconds = leadingNumber(text);
    // Below 1 as well as 0: a negative time read back from the store is no call time either.
    if (!(seconds >= MinimumSeconds && seconds <= MaximumSeconds))
        return std::nullopt;
    return std::floor(seconds * 1000.0);
}

} // namespace CallTime

#include "weather/ForecastBox.h"

#include <cstring>

namespace ForecastBox {

QString address(const QString& serviceBase, const QString& code)
{
    return serviceBase + QStringLiteral("/box/previsioni.php?citta=") + code +
           QStringLiteral("&type=day2&width=450&ico=swf1&lang=ita&days=5&font=Arial&fontsize=12&bg=FFFFFF&fg=000000"
                          "&bgtitle=0099FF&fgtitle=FFFFFF&bgtab=F0F0F0&fglink=1773C2");
}

double leadingNumber(const QString& text)
{
    qsizetype at = 0;
    const auto isDigit = [&text](qsizetype i) {
        return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
    };
    const auto isOneOf = [&text](qsizetype i, const char* characters) {
        return i < text.size() && text.at(i).unicode() < 128 &&
               std::strchr(characters, static_cast<char>(text.at(i).unicode())) != nullptr;
    };
    while (isOneOf(at, " \t"))
        ++at;
    const qsizetype start = at;
    if (isOneOf(at, "+-"))
        ++at;
    const qsizetype mantissa = at;
    while (isDigit(at))
        ++at;
    if (isOneOf(at, ".")) {
        ++at;
        while (isDigit(at))
            ++at;
    }
    // Only a dot, or a sign alone, is no number.
    if (at - mantissa == 0 || (at - mantissa == 1 && text.at(mantissa) == QLatin1Char('.')))
        return 0;
    qsizetype end = at;
    if (isOneOf(at, "eEdD")) {
        qsizetype exponent = at + 1;
        if (isOneOf(exponent, "+-"))
            ++exponent;
        if (isDigit(exponent)) {
            while (isDigit(exponent))
                ++exponent;
            end = exponent;
        }
    }
    QString number = text.mid(start, end - start);
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

} // namespace ForecastBox

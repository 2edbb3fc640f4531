#pragma once

#include <QString>

// The forecast box the display shows in its weather area, served by the weather-widget service.
namespace ForecastBox {

// The service's scheme and host, the one part of the address that is ours to choose.
inline constexpr char ServiceBase[] = "https://widget-meteo.example";

// The box's address for the town `code`, taken as typed: `serviceBase`, the box's path, the code and
// the fixed query that sets its size, language and colours.
QString address(const QString& serviceBase, const QString& code);

// The number `text` begins with: leading blanks skipped, then a sign, digits, a fraction and an
// exponent as far as they go ("12ab" is 12); 0 when it begins with no number at all.
double leadingNumber(const QString& text);

} // namespace ForecastBox

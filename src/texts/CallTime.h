#pragma once

#include <QString>
#include <optional>

// The call time: typed in whole seconds from 1 to 60, stored in milliseconds (tempochiamata).
namespace CallTime {

inline constexpr int MinimumSeconds = 1;
inline constexpr int MaximumSeconds = 60;

// What the box shows for a stored value: the whole seconds, rounded down; "0" for none.
QString shownSeconds(std::optional<double> milliseconds);

// The number the text begins with (blanks, a sign, digits, a decimal point); 0 when it begins with
// none, so an empty box reads as 0.
double leadingNumber(const QString& text);

// The milliseconds to store for the box's text, rounded down; none when it reads outside 1 to 60.
std::optional<double> millisecondsFor(const QString& text);

} // namespace CallTime

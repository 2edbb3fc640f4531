#pragma once

#include <QVariant>
#include <cstdint>

// How values are written to and read from the store, in the kinds the display program expects.
namespace JetValue {

inline constexpr int True = -1;
inline constexpr int False = 0;

inline QVariant yesNo(bool value)
{
    return QVariant(value ? True : False);
}

// A stored yes/no counts as yes only when it is exactly -1; anything else, null included, is no.
inline bool isYes(const QVariant& value)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok && !value.isNull() && number == True;
}

// Single-precision numbers are rounded to float before they are stored, so a read gives back
// exactly the float that was written.
inline QVariant single(double value)
{
    return QVariant(static_cast<double>(static_cast<float>(value)));
}

inline float toSingle(const QVariant& value)
{
    return static_cast<float>(value.toDouble());
}

inline QVariant integer16(int value)
{
    return QVariant(static_cast<int>(static_cast<std::int16_t>(value)));
}

inline QVariant colour(std::uint32_t value)
{
    return QVariant(static_cast<qlonglong>(static_cast<std::int32_t>(value)));
}

inline std::uint32_t toColour(const QVariant& value)
{
    return static_cast<std::uint32_t>(value.toLongLong());
}

inline QVariant null()
{
    return QVariant();
}

} // namespace JetValue

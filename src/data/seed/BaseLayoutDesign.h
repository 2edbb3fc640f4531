#pragma once

#include "data/LayoutRecords.h"

#include <QVariantList>
#include <cstdint>

// The base layout a new installation starts with, drawn for a 1920 x 1080 display: title and
// subtitle on top with the date and time beside them, the eight counters as a table of lines
// (photo, number, workstation, operator, status) on the left, video above weather and images on the
// right, and the scrolling text as a band along the bottom, on a dark blue screen.
class BaseLayoutDesign
{
public:
    static constexpr float ScreenWidth = 28800.0f; // twips
    static constexpr float ScreenHeight = 16200.0f;
    static constexpr std::uint32_t ScreenColour = 0x00402010; // 0x00BBGGRR: a deep blue

    // The sixteen column values of `row`, in the order of LayoutRecords::columns(), encoded as the
    // store keeps them (single-precision twips, yes/no as -1/0, 16-bit alignment, 0x00BBGGRR colours).
    static QVariantList values(const LayoutRecords::Row& row);
};

#pragma once

#include <QPixmap>

// The picture of the clear window: a display showing a layout whose elements are being wiped
// away, with a red warning badge. Drawn in code, so it scales cleanly and ships no image file.
class ClearLayoutPicture
{
public:
    static QPixmap draw(int size);
};

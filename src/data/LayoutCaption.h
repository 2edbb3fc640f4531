#pragma once

#include <QString>

// How the windows name a layout number to the user: 0 is "Layout Base", n is "Layout n".
inline QString LayoutCaption(int layout)
{
    return layout == 0 ? QStringLiteral("Layout Base") : QStringLiteral("Layout %1").arg(layout);
}

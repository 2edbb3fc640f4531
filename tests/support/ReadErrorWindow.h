#pragma once

#include "support/ModalDriver.h"

#include <QLabel>

// An action for the error window: adds its message and detail to `said`, then closes it with OK.
inline ModalDriver::Action readErrorWindow(QString* said)
{
    return [said](QWidget* window) {
        if (window->objectName() == QLatin1String("ErrorWindow")) {
            for (const char* name : {"Message", "Detail"})
                *said += window->findChild<QLabel*>(QLatin1String(name))->text() + QLatin1Char('\n');
        }
        ModalDriver::click(window, QStringLiteral("OK"));
    };
}

#pragma once

#include "ui/ErrorWindow.h"

#include <QPointer>
#include <QWidget>
#include <type_traits>
#include <utility>

// Failures stop at the slot: a slot that reaches the data layer is connected through guarded(),
// which runs it and, when it throws (a StoreError above all), shows the error window over `window`
// and returns normally. Qt does not promise to unwind its own event machinery, so no exception may
// leave a slot. What was stored before the failure stays stored. After the error window
// `afterFailure` runs: a window whose save was refused puts its controls back to what is stored.
//
//     connect(button, &QPushButton::clicked, this, guarded(this, [this] { save(); }));
template <typename Slot, typename AfterFailure> auto guarded(QWidget* window, Slot slot, AfterFailure afterFailure)
{
    return [window = QPointer<QWidget>(window), slot = std::move(slot),
            afterFailure = std::move(afterFailure)](auto&&... arguments) mutable {
        try {
            if constexpr (std::is_invocable_v<Slot&, decltype(arguments)...>)
                slot(std::forward<decltype(arguments)>(arguments)...);
            else
                slot();
        } catch (...) {
            ErrorWindow::showCurrentException(window.data());
            try {
                afterFailure();
            } catch (...) {
                // What is stored cannot be read either; the error has been shown once.
            }
        }
    };
}

// The same with nothing to put back.
template <typename Slot> auto guarded(QWidget* window, Slot slot)
{
    return guarded(window, std::move(slot), [] {});
}

// Runs `action` under the same guard. True when it finished; false when it failed, after the
// error window has been shown and closed.
template <typename Action> bool runGuarded(QWidget* window, Action&& action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (...) {
        ErrorWindow::showCurrentException(window);
        return false;
    }
}

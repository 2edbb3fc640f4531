#pragma once

#include "shell/ErrorWindow.h"

#include <QApplication>
#include <utility>

// The program's application object. Its one duty beyond QApplication is the error guard: an
// exception that escapes an event handler (a database that cannot be written, a table that is
// missing) ends that handler only; the operator sees the error window and the program goes on.
// What was stored before the failure stays stored.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs `action` under the same guard. True when it finished; false when it failed, after the
    // error window has been shown and closed.
    template <typename Action> static bool runGuarded(Action&& action, QWidget* parent = nullptr)
    {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (...) {
            ErrorWindow::showCurrentException(parent);
            return false;
        }
    }
};

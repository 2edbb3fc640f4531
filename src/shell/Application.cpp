#include "shell/Application.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = true;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

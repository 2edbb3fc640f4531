#include "app/Application.h"

#include "ui/Guarded.h"

#include <QLibraryInfo>
#include <QLocale>

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // Where Qt's translations are not installed the dialogs stay in English; nothing else changes.
    if (m_qtTexts.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTexts);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // Qt's own frames between here and the handler are built without exception cleanup, so what
    // they held for the event (a few hundred bytes) is lost on a failure. That is the price of
    // keeping the program running, and it is paid only when something has gone wrong.
    bool handled = true;
    runGuarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

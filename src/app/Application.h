#pragma once

#include <QApplication>
#include <QTranslator>

// The program's application object. Its one duty beyond QApplication is the last-resort guard:
// slots that reach the data layer catch their own failures (ui/Guarded.h); an exception that
// still escapes an event handler ends that handler only, the operator sees the error window and
// the program goes on. What was stored before the failure stays stored. It also speaks Italian in
// Qt's own dialogs (file dialogs, context menus of text boxes), whatever the system's language.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator m_qtTexts;
};

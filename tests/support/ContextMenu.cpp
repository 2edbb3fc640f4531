#include "ContextMenu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

bool chooseFromContextMenu(QWidget* widget, const QString& action, QStringList* shown, QStringList* disabled,
                           const QPoint& position)
{
    bool opened = false;
    bool chosen = false;
    QTimer poll;
    poll.setInterval(10);
    int waited = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if ((waited += 10) > 3000)
                poll.stop();
            return;
        }
        poll.stop();
        opened = true;
        QAction* wanted = nullptr;
        for (QAction* each : menu->actions()) {
            if (each->isSeparator())
                continue;
            if (each->isEnabled() && shown)
                shown->append(each->text());
            if (!each->isEnabled() && disabled)
                disabled->append(each->text());
            if (!action.isEmpty() && each->objectName() == action && each->isEnabled())
                wanted = each;
        }
        if (wanted) {
            chosen = true;
            menu->setActiveAction(wanted);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, position, widget->mapToGlobal(position));
    QApplication::sendEvent(widget, &event);
    poll.stop();
    return opened && (chosen || action.isEmpty());
}

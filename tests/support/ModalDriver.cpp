#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>

namespace {
constexpr int PollMs = 10;
}

ModalDriver::ModalDriver(int watchdogMs)
    : m_watchdogMs(watchdogMs)
{
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
}

void ModalDriver::next(Action action)
{
    m_actions.push_back(std::move(action));
}

void ModalDriver::nextMessage(QStringList* lines, bool confirm)
{
    next([lines, confirm](QWidget* window) {
        if (lines)
            *lines = messageLines(window);
        click(window, confirm ? QStringLiteral("PB1_1") : QStringLiteral("PB1_0"));
    });
}

QStringList ModalDriver::messageLines(QWidget* msgForm)
{
    QStringList lines;
    for (int index = 0; index < 5; ++index) {
        auto* label = msgForm->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(index));
        if (label && !label->isHidden())
            lines.append(label->text());
    }
    return lines;
}

void ModalDriver::click(QWidget* window, const QString& objectName)
{
    auto* button = window->findChild<QAbstractButton*>(objectName);
    if (!button)
        qFatal("ModalDriver: no button %s in %s", qPrintable(objectName), qPrintable(window->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        m_current = nullptr;
        m_openFor = 0;
        return;
    }
    if (modal != m_current) {
        m_current = modal;
        m_openFor = 0;
    }
    if (modal != m_handled && !m_actions.empty()) {
        m_handled = modal;
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        // Run the action outside this slot: Qt does not fire a timer again while its slot runs, so an
        // action that opens a nested modal window would otherwise stop the polling for good.
        QTimer::singleShot(0, this, [action = std::move(action), window = QPointer<QWidget>(modal)] {
            if (window)
                action(window);
        });
        return;
    }
    m_openFor += PollMs;
    if (m_openFor >= m_watchdogMs) {
        m_unexpected.append(modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className())
                                                          : modal->objectName());
        m_openFor = 0;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

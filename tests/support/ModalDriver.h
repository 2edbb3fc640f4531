#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

// Acts on modal windows the way an operator would, for flows that pass through exec(). Arm it
// with one action per expected modal window before the click that opens them; each action runs
// on the next new modal window that becomes active. A watchdog closes any modal window no action
// was armed for (or one still open after its action) so a test fails instead of hanging, and
// records it in unexpected().
class ModalDriver : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget*)>;

    explicit ModalDriver(int watchdogMs = 3000);

    void next(Action action);
    // Arms an action that records the visible message lines of a MsgForm and closes it with
    // "C&hiudi" (or "&Conferma" when `confirm`).
    void nextMessage(QStringList* lines, bool confirm = false);

    int pending() const { return static_cast<int>(m_actions.size()); }
    const QStringList& unexpected() const { return m_unexpected; }

    // The visible lines of a MsgForm, top to bottom.
    static QStringList messageLines(QWidget* msgForm);
    // Clicks the button with this objectName inside `window`.
    static void click(QWidget* window, const QString& objectName);

private:
    void poll();

    QTimer m_timer;
    std::deque<Action> m_actions;
    QPointer<QWidget> m_current;
    QPointer<QWidget> m_handled;
    int m_openFor = 0;
    int m_watchdogMs;
    QStringList m_unexpected;
};

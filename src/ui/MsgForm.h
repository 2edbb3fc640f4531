#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

class QLabel;
class QPushButton;

// The message window: every confirmation, notice and yes/no question of the program goes through
// it. Up to five lines; the lines a caller leaves at their design caption "Label2" are hidden when
// the window shows; "&Conferma" appears only for a question.
class MsgForm : public QDialog
{
    Q_OBJECT
public:
    explicit MsgForm(QWidget* parent = nullptr);

    // Shows `lines` (at most five) modally and waits until the window is closed.
    static void showMessage(const QStringList& lines, QWidget* parent = nullptr);

    // Shows `lines` with "&Conferma" and waits. True only when "&Conferma" closed the window;
    // "C&hiudi" or any other close counts as declined.
    static bool ask(const QStringList& lines, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setLines(const QStringList& lines);

    std::array<QLabel*, 5> Label2{};
    std::array<QPushButton*, 2> PB1{};
};

#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QPushButton;

// The clear window: asks whether to clear the numbered layout written into Label3 by the chooser
// and, on confirmation, overwrites it with the base layout with every element hidden.
class CancellaLayout : public QDialog
{
    Q_OBJECT
public:
    explicit CancellaLayout(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    // The layout number "1" .. "10", set by the opener before the window is shown.
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    std::array<QPushButton*, 2> PB1{};

private:
    void buildControls();
    void confirm();
};

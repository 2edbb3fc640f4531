#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// The exit window: asks, in its pictures, whether to close the program. "&Si" confirms; "&No" and
// every other way of closing it decline.
class FormUscita : public QDialog
{
    Q_OBJECT
public:
    explicit FormUscita(QWidget* parent = nullptr);

    // Shows the window modally and returns the ExitAnswer: true only when "&Si" closed it.
    static bool ask(QWidget* parent);

private:
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    std::array<QPushButton*, 2> CBT{};
};

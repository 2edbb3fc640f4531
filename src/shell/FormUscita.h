#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// The exit window: asks, in its pictures, whether to close the program. "&Si" sets ExitAnswer to
// confirmed, "&No" to declined; closing it any other way leaves ExitAnswer as it was.
class FormUscita : public QDialog
{
    Q_OBJECT
public:
    explicit FormUscita(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    std::array<QPushButton*, 2> CBT{};
};

#pragma once

#include <QDialog>
#include <QLineEdit>
#include <array>

class QLabel;
class QPushButton;
class Store;

// The seconds box of the call time: it takes digits and backspace only, and entering it empties
// the system clipboard and selects its whole text, so nothing but typed digits gets in.
class SecondsBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit SecondsBox(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The call time (tempochiamata): shown in whole seconds, "&Ok" checks 1 to 60, stores it in
// milliseconds and closes; "C&hudi" closes without storing.
class TempoChiamata : public QDialog
{
    Q_OBJECT
public:
    explicit TempoChiamata(Store& store, QWidget* parent = nullptr);

private:
    void buildControls();
    void ok();

    Store& m_store;

    QLabel* Label1 = nullptr;
    SecondsBox* T1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    // Index 0 C&hudi, 1 &Ok.
    std::array<QPushButton*, 2> PB1{};
};

#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class Store;

// Whether the display shows its notice screen while the queue is handled (avviso): " SI" or " NO",
// neither while it was never chosen. "&Ok" stores the choice and closes.
class MostroAvviso : public QDialog
{
    Q_OBJECT
public:
    explicit MostroAvviso(Store& store, QWidget* parent = nullptr);

private:
    void buildControls();
    void ok();

    Store& m_store;

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    // Index 0 " SI", 1 " NO".
    std::array<QRadioButton*, 2> RB1{};
    // Index 0 C&hudi, 1 &Ok.
    std::array<QPushButton*, 2> PB1{};
};

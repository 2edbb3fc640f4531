#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class Store;

// The clear window: asks whether to clear numbered layout `layout` (shown in Label3) and, on
// confirmation, overwrites it with the base layout with every element hidden.
class CancellaLayout : public QDialog
{
    Q_OBJECT
public:
    CancellaLayout(Store& store, int layout, QWidget* parent = nullptr);

private:
    void buildControls();
    void confirm();

    Store& m_store;
    int m_layout;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    // The layout number "1" .. "10".
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    std::array<QPushButton*, 2> PB1{};
};

#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Store;

// The copy window: overwrites one numbered layout with another layout or with the base layout.
// The source is picked in GroupBox1, the target in GroupBox2; GroupBox3 reads the choice back as
// a sentence. The window stays open after a copy so that several can be made in a row.
class CopiaLayout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int BaseSource = 10; // L0 index of the base layout

    explicit CopiaLayout(Store& store, QWidget* parent = nullptr);

private:
    void buildControls();
    int sourceLayout() const;
    int targetLayout() const;
    void copy();

    Store& m_store;
    // Index i is layout i+1; L0 index 10 is the base layout.
    std::array<QRadioButton*, 11> L0{};
    std::array<QRadioButton*, 10> L1{};
    std::array<QLabel*, 2> Label1{};
    std::array<QLabel*, 2> Label2{};
    std::array<QLabel*, 2> Label3{};
    std::array<QPushButton*, 2> Btn{};
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
};

#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class FileDialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Store;

// The layout chooser: the base layout and the ten numbered layouts, one row each with a radio
// button, the name, the description and a reset button; the default layout; and the way into
// the designer, the copy window and the clear window. The stored default and the names are read
// when the window is built; every action opens the database afresh. The resolution is the main
// menu's choice at the time the chooser opened; the designer is sized from it. A row's context
// menu exports that layout to a file or imports one over it; the controls stay as they are.
class SceltaLayout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int LayoutCount = 11; // the base layout and layouts 1 .. 10
    // `dialogs` picks the files of export and import (the system's dialogs when null).
    SceltaLayout(Store& store, std::optional<int> resolution, QWidget* parent = nullptr,
                 FileDialogs* dialogs = nullptr);
    ~SceltaLayout() override;

    // The text Label2 shows when qualelayout holds no layout this program knows.
    static QString invalidDefaultText();

private:
    void buildControls();
    void readDefault();
    void readNames();

    int selectedLayout() const;

    void saveNames();
    void setDefault();
    void loadSelected();
    void openCopy();
    void openClear(int layout);
    void showLayoutMenu(int layout, QWidget* control, const QPoint& position);
    void exportLayout(int layout);
    void importLayout(int layout);

    Store& m_store;
    std::optional<int> m_resolution;
    std::unique_ptr<FileDialogs> m_systemDialogs;
    FileDialogs& m_dialogs;
    std::array<QRadioButton*, LayoutCount> RB1{};
    // Index 2n the name, 2n+1 the description of layout n (0 = the base layout).
    std::array<QLineEdit*, 2 * LayoutCount> Text1{};
    // Index n resets layout n; index 0 stays empty (the base layout cannot be reset).
    std::array<QPushButton*, LayoutCount> PPBB1{};
    std::array<QPushButton*, 5> PB1{};
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
};

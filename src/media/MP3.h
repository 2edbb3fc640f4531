#pragma once

#include <QDialog>
#include <array>

class FileDialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class Store;

// The music folder the display plays from (cartellamp3): shown on opening, chosen with the folder
// chooser or typed, stored by "&Conferma" as it stands, without a check that the folder exists.
class MP3 : public QDialog
{
    Q_OBJECT
public:
    // `fileDialogs` serves "..." and must outlive the window.
    MP3(Store& store, FileDialogs& fileDialogs, QWidget* parent = nullptr);

private:
    void buildControls();
    void chooseFolder();
    void conferma();

    Store& m_store;
    FileDialogs& m_fileDialogs;

    QLabel* Label1 = nullptr;
    QLineEdit* FE1 = nullptr;
    // Index 0 C&hiudi, 1 &Conferma, 2 "...".
    std::array<QPushButton*, 3> CBT{};
};

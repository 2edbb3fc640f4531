#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

class FileDialogs;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class SoundPlayer;
class Store;

// The chime sounds (table DinDon): a list of wave files the operator adds, deletes after a
// question, tries, and one of which becomes the display's chime by a copy of its path into the
// configuration (dindon). The row the grid stands on is the selected one; after every change of
// the list it stands on the first row again.
class DinDon : public QDialog
{
    Q_OBJECT
public:
    // `fileDialogs` serves "&Nuovo", `player` " Prova il DinDon"; both must outlive the window.
    DinDon(Store& store, FileDialogs& fileDialogs, SoundPlayer& player, QWidget* parent = nullptr);

private:
    void buildControls();
    void reloadList();
    int selectedRow() const;

    void nuovo();
    void cancella();
    void predefinito();
    void prova();

    Store& m_store;
    FileDialogs& m_fileDialogs;
    SoundPlayer& m_player;
    // The list as last read, in the grid's order.
    QStringList m_paths;
    QStandardItemModel* m_model = nullptr;

    QLabel* Label1 = nullptr;
    QTabWidget* TC = nullptr;
    QTableView* grid = nullptr;
    // Index 0 C&hiudi, 1 Predefinito !, 2 &Cancella, 3 &Nuovo, 4 Prova il DinDon.
    std::array<QPushButton*, 5> ctButton2{};
};

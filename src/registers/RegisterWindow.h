#pragma once

#include "data/RegisterTable.h"

#include <QDialog>
#include <QLineEdit>
#include <array>

class FileDialogs;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class RegisterModel;
class Store;

// Everything in which the operators' window and the radio stations' window differ.
struct RegisterWindowKind {
    RegisterKind table;
    QString windowName;
    QString caption;
    QString title;
    QStringList columnCaptions;
    std::array<QString, 2> boxLabels;
    QString emptyNameMessage;
    QString emptySecondMessage; // empty: an empty second box is stored
    bool pictureChooser;        // PB1 "..." beside the second box
    bool preview;               // ctButton2(4) "Prova la Radio"
    bool entryEmptiesClipboard; // entering a box empties the system clipboard

    static const RegisterWindowKind& operators();
    static const RegisterWindowKind& stations();
};

// An edit box of the entry page: entering it selects its whole text.
class EntryBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// A register window: the list of rows on the first tab, one row's name and second text on the
// second; a new row, a change of the selected row, the delete of the selected row. Exactly one tab
// is enabled at a time, and it is the selected one. Names are checked against the register with
// the store's LIKE before they are written; texts are stored exactly as typed.
class RegisterWindow : public QDialog
{
    Q_OBJECT
public:
    // `fileDialogs` serves the picture chooser (the operators' window only) and must outlive the window.
    RegisterWindow(Store& store, const RegisterWindowKind& kind, FileDialogs* fileDialogs, QWidget* parent = nullptr);

private:
    enum class Mode { Browsing, New, Change };

    void buildControls();
    void reloadList();
    int selectedRow() const;
    void showEntryPage();
    void showListPage();
    void enterBox(EntryBox* box);

    void nuovo();
    void modifica();
    void cancella();
    void conferma();
    void annulla();
    void choosePicture();
    void provaLaRadio();

    Store& m_store;
    const RegisterWindowKind& m_kind;
    FileDialogs* m_fileDialogs;
    RegisterModel* m_model = nullptr;
    Mode m_mode = Mode::Browsing;
    // The row being changed, as the grid showed it when "&Modifica" was pressed.
    int m_changingRow = -1;
    RegisterEntry m_changing;
    // What the picture chooser last held: a cancelled chooser hands it back.
    QString m_lastPicture;

    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> Label2{};
    QTabWidget* TC1 = nullptr;
    QTableView* grid = nullptr;
    std::array<EntryBox*, 2> Text1{};
    QPushButton* PB1 = nullptr;
    std::array<QPushButton*, 2> CBT{};
    // Index 0 C&hiudi, 1 &Modifica, 2 &Cancella, 3 &Nuovo, 4 Prova la Radio (stations only).
    std::array<QPushButton*, 5> ctButton2{};
};

#include "registers/RegisterWindow.h"

#include "registers/AnteprimaRadio.h"
#include "registers/RegisterModel.h"
#include "ui/FileDialogs.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"
#include "ui/WindowFont.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

const RegisterWindowKind& RegisterWindowKind::operators()
{
    static const RegisterWindowKind kind{RegisterKind::Operators,
                                         QStringLiteral("GestioneUtenti"),
                                         QStringLiteral("Gestione Utenti"),
                                         QStringLiteral("Utenti"),
                                         {QStringLiteral("Nominativo"), QStringLiteral("Percorso Foto")},
                                         {QStringLiteral("Utente"), QStringLiteral("Percorso della Foto")},
                                         QStringLiteral("Inserire i dati prima di salvare !"),
                                         QString(),
                                         true,
                                         false,
                                         true};
    return kind;
}

const RegisterWindowKind& RegisterWindowKind::stations()
{
    static const RegisterWindowKind kind{RegisterKind::Stations,
                                         QStringLiteral("GestioneRadio"),
                                         QStringLiteral("Gestione Radio"),
                                         QStringLiteral("Radio"),
                                         {QStringLiteral("Nome Radio"), QStringLiteral("Percorso URL")},
                                         {QStringLiteral("Nome della Radio"), QStringLiteral("URL della Radio")},
                                         QStringLiteral("Inserire i dati Utente prima di salvare !"),
                                         QStringLiteral("Inserire il percorso prima di salvare !"),
                                         false,
                                         true,
                                         false};
    return kind;
}

void EntryBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    emit entered();
}

namespace {

constexpr int ListPage = 0;
constexpr int EntryPage = 1;

} // namespace

RegisterWindow::RegisterWindow(Store& store, const RegisterWindowKind& kind, FileDialogs* fileDialogs, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_kind(kind)
    , m_fileDialogs(fileDialogs)
{
    SettingsWindow::setUp(this, kind.windowName, kind.caption);
    buildControls();
    reloadList();
    showListPage();
}

void RegisterWindow::buildControls()
{
    Label1 = new QLabel(m_kind.title, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::tahoma(12, true));

    TC1 = new QTabWidget(this);
    TC1->setObjectName(QStringLiteral("TC1"));

    auto* listPage = new QWidget;
    m_model = new RegisterModel(m_kind.columnCaptions, this);
    grid = SettingsWindow::listGrid(listPage, m_model);
    grid->setColumnWidth(0, 200);
    // A double click (or Enter) on a row is "&Modifica".
    connect(grid, &QTableView::activated, this, guarded(this, [this] { modifica(); }));
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->addWidget(grid);
    TC1->addTab(listPage, QStringLiteral("Utenti presenti"));

    auto* entryPage = new QWidget;
    auto* entryLayout = new QVBoxLayout(entryPage);
    for (int index = 0; index < 2; ++index) {
        Label2[index] = new QLabel(m_kind.boxLabels[index], entryPage);
        Label2[index]->setObjectName(QStringLiteral("Label2_%1").arg(index));
        Text1[index] = new EntryBox(entryPage);
        Text1[index]->setObjectName(QStringLiteral("Text1_%1").arg(index));
        EntryBox* box = Text1[index];
        connect(box, &EntryBox::entered, this, [this, box] { enterBox(box); });
        Label2[index]->setBuddy(box);
        entryLayout->addWidget(Label2[index]);
        if (index == 1 && m_kind.pictureChooser) {
            PB1 = SettingsWindow::pushButton(entryPage, QStringLiteral("PB1"), QStringLiteral("..."));
            PB1->setFixedWidth(32);
            connect(PB1, &QPushButton::clicked, this, guarded(this, [this] { choosePicture(); }));
            auto* row = new QHBoxLayout;
            row->addWidget(box);
            row->addWidget(PB1);
            entryLayout->addLayout(row);
        } else {
            entryLayout->addWidget(box);
        }
    }
    CBT[0] = SettingsWindow::pushButton(entryPage, QStringLiteral("CBT_0"), QStringLiteral("Ann&ulla"));
    CBT[1] = SettingsWindow::pushButton(entryPage, QStringLiteral("CBT_1"), QStringLiteral("&Conferma"));
    connect(CBT[0], &QPushButton::clicked, this, guarded(this, [this] { annulla(); }));
    connect(CBT[1], &QPushButton::clicked, this, guarded(this, [this] { conferma(); }));
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addStretch();
    entryButtons->addWidget(CBT[0]);
    entryButtons->addWidget(CBT[1]);
    entryLayout->addStretch();
    entryLayout->addLayout(entryButtons);
    TC1->addTab(entryPage, QStringLiteral("Immissione / Modifica"));

    ctButton2[3] = SettingsWindow::pushButton(this, QStringLiteral("ctButton2_3"), QStringLiteral("&Nuovo"));
    ctButton2[1] = SettingsWindow::pushButton(this, QStringLiteral("ctButton2_1"), QStringLiteral("&Modifica"));
    ctButton2[2] = SettingsWindow::pushButton(this, QStringLiteral("ctButton2_2"), QStringLiteral("&Cancella"));
    ctButton2[0] = SettingsWindow::pushButton(this, QStringLiteral("ctButton2_0"), QStringLiteral("C&hiudi"));
    connect(ctButton2[3], &QPushButton::clicked, this, guarded(this, [this] { nuovo(); }));
    connect(ctButton2[1], &QPushButton::clicked, this, guarded(this, [this] { modifica(); }));
    connect(ctButton2[2], &QPushButton::clicked, this, guarded(this, [this] { cancella(); }));
    connect(ctButton2[0], &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ctButton2[3]);
    buttons->addWidget(ctButton2[1]);
    buttons->addWidget(ctButton2[2]);
    if (m_kind.preview) {
        ctButton2[4] =
            SettingsWindow::pushButton(this, QStringLiteral("ctButton2_4"), QStringLiteral("Prova la Radio"));
        connect(ctButton2[4], &QPushButton::clicked, this, guarded(this, [this] { provaLaRadio(); }));
        buttons->addWidget(ctButton2[4]);
    }
    buttons->addStretch();
    buttons->addWidget(ctButton2[0]);

    auto* window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addWidget(TC1);
    window->addLayout(buttons);
    resize(620, 440);
}

void RegisterWindow::reloadList()
{
    m_model->setEntries(RegisterTable(m_store, m_kind.table).list());
    if (m_model->rowCount() > 0)
        grid->selectRow(0);
}

int RegisterWindow::selectedRow() const
{
    const int row = grid->currentIndex().row();
    return row >= 0 ? row : 0;
}

// "&Nuovo", "&Modifica" and "&Cancella" do nothing while a row is being entered, so they are
// disabled there too: that also leaves Alt+C to "&Conferma" instead of sharing it with "&Cancella".
void RegisterWindow::showEntryPage()
{
    TC1->setTabEnabled(EntryPage, true);
    TC1->setCurrentIndex(EntryPage);
    TC1->setTabEnabled(ListPage, false);
    for (int index : {1, 2, 3})
        ctButton2[index]->setEnabled(false);
}

void RegisterWindow::showListPage()
{
    TC1->setTabEnabled(ListPage, true);
    TC1->setCurrentIndex(ListPage);
    TC1->setTabEnabled(EntryPage, false);
    for (int index : {1, 2, 3})
        ctButton2[index]->setEnabled(true);
}

void RegisterWindow::enterBox(EntryBox* box)
{
    // The operators' boxes take a name or a path typed or chosen here, never one pasted from elsewhere.
    if (m_kind.entryEmptiesClipboard)
        QGuiApplication::clipboard()->clear();
    box->selectAll();
}

void RegisterWindow::nuovo()
{
    if (m_mode == Mode::New || TC1->currentIndex() == EntryPage)
        return;
    showEntryPage();
    Text1[0]->setFocus();
    m_mode = Mode::New;
}

void RegisterWindow::modifica()
{
    if (m_model->rowCount() == 0 || m_mode == Mode::New || TC1->currentIndex() == EntryPage)
        return;
    showEntryPage();
    m_changingRow = selectedRow();
    m_changing = m_model->entries().at(m_changingRow);
    Text1[0]->setText(m_changing.name);
    Text1[1]->setText(m_changing.second);
    Text1[0]->setFocus();
    m_mode = Mode::Change;
}

void RegisterWindow::cancella()
{
    if (m_model->rowCount() == 0 || m_mode == Mode::New || TC1->currentIndex() == EntryPage)
        return;
    showListPage();
    if (!MsgForm::ask({QStringLiteral("Cancello voce selezionata ?")}, this))
        return;
    const int row = selectedRow();
    if (!RegisterTable(m_store, m_kind.table).remove(row, m_model->entries().at(row))) {
        MsgForm::showMessage({QStringLiteral("La voce non è più in archivio: l'elenco è stato riletto.")}, this);
        reloadList();
        return;
    }
    // The list first, so the row is gone from the grid when the notice says so.
    reloadList();
    MsgForm::showMessage({QStringLiteral("Voce cancellata !")}, this);
}

void RegisterWindow::conferma()
{
    const RegisterEntry entry{Text1[0]->text(), Text1[1]->text()};
    if (entry.name.isEmpty()) {
        MsgForm::showMessage({m_kind.emptyNameMessage}, this);
        return;
    }
    if (!m_kind.emptySecondMessage.isEmpty() && entry.second.isEmpty()) {
        MsgForm::showMessage({m_kind.emptySecondMessage}, this);
        return;
    }
    RegisterTable table(m_store, m_kind.table);
    const std::optional<QString> ownName =
        m_mode == Mode::Change ? std::optional<QString>(m_changing.name) : std::nullopt;
    if (table.isDuplicate(entry.name, ownName)) {
        MsgForm::showMessage({QStringLiteral("Voce già presente in archivio !")}, this);
        Text1[0]->setFocus();
        return;
    }
    if (m_mode == Mode::New) {
        table.add(entry);
    } else if (!table.change(m_changingRow, m_changing, entry)) {
        MsgForm::showMessage({QStringLiteral("La voce non è più in archivio: l'elenco è stato riletto.")}, this);
    }
    annulla();
}

void RegisterWindow::annulla()
{
    Text1[0]->clear();
    Text1[1]->clear();
    m_mode = Mode::Browsing;
    m_changingRow = -1;
    showListPage();
    reloadList();
}

void RegisterWindow::choosePicture()
{
    if (!m_fileDialogs)
        return;
    const std::optional<QString> chosen = m_fileDialogs->openFileName(this, {QStringLiteral("File Immagine (*.jpg)"),
                                                                             QStringLiteral("File immagine (*.bmp)"),
                                                                             QStringLiteral("File immagine (*.gif)")});
    if (chosen)
        m_lastPicture = *chosen;
    Text1[1]->setText(m_lastPicture);
}

void RegisterWindow::provaLaRadio()
{
    if (m_model->rowCount() == 0)
        return;
    AnteprimaRadio preview(this);
    preview.navigate(m_model->entries().at(selectedRow()).second);
    preview.exec();
}

#include "media/DinDon.h"

#include "data/ChimeList.h"
#include "data/ConfigurationRecord.h"
#include "ui/FileDialogs.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"
#include "ui/SoundPlayer.h"
#include "ui/WindowFont.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

DinDon::DinDon(Store& store, FileDialogs& fileDialogs, SoundPlayer& player, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_fileDialogs(fileDialogs)
    , m_player(player)
{
    SettingsWindow::setUp(this, QStringLiteral("DinDon"), QStringLiteral("Impostazione tipo di DinDon"));
    buildControls();
    reloadList();
}

void DinDon::buildControls()
{
    Label1 = new QLabel(QStringLiteral("DinDon"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::tahoma(12, true));

    TC = new QTabWidget(this);
    TC->setObjectName(QStringLiteral("TC"));
    auto* page = new QWidget;
    m_model = new QStandardItemModel(0, 1, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Percorso del suono di DinDon")});
    grid = SettingsWindow::listGrid(page, m_model);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(grid);
    TC->addTab(page, QStringLiteral("Tipo di DinDon"));

    const QStringList captions{QStringLiteral("C&hiudi"), QStringLiteral("Predefinito !"), QStringLiteral("&Cancella"),
                               QStringLiteral("&Nuovo"), QStringLiteral(" Prova il DinDon")};
    for (int index = 0; index < static_cast<int>(ctButton2.size()); ++index) {
        ctButton2[index] = new QPushButton(captions[index], this);
        ctButton2[index]->setObjectName(QStringLiteral("ctButton2_%1").arg(index));
        ctButton2[index]->setAutoDefault(false);
    }
    connect(ctButton2[3], &QPushButton::clicked, this, guarded(this, [this] { nuovo(); }));
    connect(ctButton2[2], &QPushButton::clicked, this, guarded(this, [this] { cancella(); }));
    connect(ctButton2[1], &QPushButton::clicked, this, guarded(this, [this] { predefinito(); }));
    connect(ctButton2[4], &QPushButton::clicked, this, guarded(this, [this] { prova(); }));
    connect(ctButton2[0], &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    for (int index : {3, 2, 1, 4})
        buttons->addWidget(ctButton2[index]);
    buttons->addStretch();
    buttons->addWidget(ctButton2[0]);
    auto* window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addWidget(TC);
    window->addLayout(buttons);
    resize(620, 380);
}

void DinDon::reloadList()
{
    m_paths = ChimeList(m_store).paths();
    m_model->setRowCount(0);
    for (const QString& path : std::as_const(m_paths)) {
        auto* item = new QStandardItem(path);
        item->setToolTip(path);
        m_model->appendRow(item);
    }
    if (!m_paths.isEmpty())
        grid->setCurrentIndex(m_model->index(0, 0));
}

int DinDon::selectedRow() const
{
    const int row = grid->currentIndex().row();
    return row >= 0 && row < m_paths.size() ? row : 0;
}

void DinDon::nuovo()
{
    const std::optional<QString> chosen = m_fileDialogs.openFileName(this, {QStringLiteral("File Suono (*.wav)")});
    if (!chosen || chosen->isEmpty())
        return;
    ChimeList(m_store).add(*chosen);
    reloadList();
}

void DinDon::cancella()
{
    if (m_paths.isEmpty())
        return;
    if (!MsgForm::ask({QStringLiteral("Cancello voce selezionata ?")}, this))
        return;
    const int row = selectedRow();
    if (!ChimeList(m_store).remove(row, m_paths.at(row))) {
        MsgForm::showMessage({QStringLiteral("La voce non è più in archivio: l'elenco è stato riletto.")}, this);
        reloadList();
        return;
    }
    MsgForm::showMessage({QStringLiteral("Voce cancellata !")}, this);
    reloadList();
}

void DinDon::predefinito()
{
    if (m_paths.isEmpty())
        return;
    ConfigurationRecord(m_store).setChime(m_paths.at(selectedRow()));
    MsgForm::showMessage({QStringLiteral("DinDon predefinito impostato !")}, this);
}

void DinDon::prova()
{
    if (m_paths.isEmpty())
        return;
    m_player.playSync(m_paths.at(selectedRow()));
}

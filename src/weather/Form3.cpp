#include "weather/Form3.h"
#include "weather/OpenWeather.h"

#include "data/ConfigurationRecord.h"
#include "data/WeatherTowns.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"
#include "ui/web/WebPreview.h"
#include "weather/ForecastBox.h"
#include "weather/TownModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

Form3::Form3(Store& store, QString serviceBase, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_serviceBase(std::move(serviceBase))
{
    SettingsWindow::setUp(this, QStringLiteral("Form3"), QStringLiteral("Impostazione Meteo per FrontEnd"));
    buildControls();
    m_allTowns = WeatherTowns(m_store).all();
    showTowns(m_allTowns);
    readConfiguration();
}

void Form3::buildControls()
{
    WB1 = new WebPreview(this);
    WB1->setObjectName(QStringLiteral("WB1"));
    // The box is drawn 450 pixels wide.
    WB1->setMinimumSize(470, 420);

    GroupBox2 = new QGroupBox(QStringLiteral("Trova Comune"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Text4 = new QLineEdit(GroupBox2);
    Text4->setObjectName(QStringLiteral("Text4"));
    (new QVBoxLayout(GroupBox2))->addWidget(Text4);
    connect(Text4, &QLineEdit::textChanged, this, guarded(this, [this](const QString& typed) { findTowns(typed); }));

    m_model = new TownModel(this);
    grid = SettingsWindow::listGrid(this, m_model);
    grid->setColumnWidth(0, 70);
    grid->setColumnWidth(1, 170);
    grid->setColumnWidth(2, 120);
    grid->setMinimumWidth(500);

    GroupBox1 = new QGroupBox(QStringLiteral("Codice Comune"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    FE1 = new QLineEdit(QStringLiteral("0000"), GroupBox1);
    FE1->setObjectName(QStringLiteral("FE1"));
    (new QVBoxLayout(GroupBox1))->addWidget(FE1);

    CBT[3] = SettingsWindow::pushButton(this, QStringLiteral("CBT_3"), QStringLiteral("Prova Comune Tabella"));
    CBT[2] = SettingsWindow::pushButton(this, QStringLiteral("CBT_2"), QStringLiteral("&Salva Comune"));
    CBT[0] = SettingsWindow::pushButton(this, QStringLiteral("CBT_0"), QStringLiteral("C&hiudi"));
    connect(CBT[3], &QPushButton::clicked, this, guarded(this, [this] { provaComune(); }));
    connect(CBT[2], &QPushButton::clicked, this, guarded(this, [this] { salvaComune(); }));
    connect(CBT[0], &QPushButton::clicked, this, &QDialog::close);
    // The forecast box keeps the keys it is given, Escape included.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QDialog::close);

    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(GroupBox1);
    codeRow->addWidget(CBT[3]);
    codeRow->addWidget(CBT[2]);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(CBT[0]);

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox2);
    right->addWidget(grid, 1);
    right->addLayout(codeRow);
    right->addLayout(closeRow);

    auto* window = new QHBoxLayout(this);
    window->addWidget(WB1);
    window->addLayout(right, 1);
}

void Form3::readConfiguration()
{
    const ConfigurationRecord configuration(m_store);
    const std::optional<QString> address = configuration.weatherAddress();
    if (!address)
        return;
    FE1->setText(configuration.weatherCode().value_or(QStringLiteral("0000")));
    // The stored address as it is, built from the code in force when it was saved.
    WB1->navigate(*address);
}

// The list is read once, when the window opens: the towns are reference data nobody writes while
// it is open, and picking them from memory keeps each keystroke within a frame (a query of the
// whole list takes about two).
void Form3::findTowns(const QString& typed)
{
    showTowns(WeatherTowns::startingWith(m_allTowns, typed));
}

void Form3::showTowns(QVector<WeatherTown> towns)
{
    m_model->setTowns(std::move(towns));
    if (m_model->rowCount() > 0)
        grid->selectRow(0);
}

void Form3::provaComune()
{
    if (m_model->rowCount() == 0)
        return;
    const int row = std::max(grid->currentIndex().row(), 0);
    FE1->setText(m_model->towns().at(row).codice);
    WB1->navigate(ForecastBox::address(m_serviceBase, FE1->text()));
}

void Form3::salvaComune()
{
    const QString code = FE1->text();
    if (ForecastBox::leadingNumber(code) == 0)
        return;
    ConfigurationRecord(m_store).setWeather(ForecastBox::address(m_serviceBase, code), code);
    MsgForm::showMessage({QStringLiteral("Impostazioni Meteo aggiornate !")}, this);
}

void OpenWeather(Store& store, QWidget* parent)
{
    Form3 window(store, QString::fromLatin1(ForecastBox::ServiceBase), parent);
    window.exec();
}

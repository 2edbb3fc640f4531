#include "menu/SplasModule.h"

#include "data/ConfigurationRecord.h"
#include "library/OpenLayoutChooser.h"
#include "media/OpenMedia.h"
#include "menu/FormUscita.h"
#include "menu/SettingsCommands.h"
#include "platform/Twips.h"
#include "playlists/OpenPlaylists.h"
#include "registers/OpenRegisters.h"
#include "texts/OpenTexts.h"
#include "ui/FileDialogs.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/ShellPictures.h"
#include "ui/WindowFont.h"
#include "weather/OpenWeather.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct Resolution {
    const char* caption;
    const char* notice;
};

// In the order of RB1; index i is stored as i + 1. The notices differ from the captions on purpose.
constexpr Resolution Resolutions[3] = {
    {" Risoluzione 1024 x 768 (TV plasma)", "Risoluzione 1024 x 768"},
    {" Risoluzione 1366 x 768 (TV LCD)", "Risoluzione 1366 x 768"},
    {" Risoluzione1920x 1080 (Full-HD)", "Risoluzione 1920 x 1080"},
};

// The arrangement is drawn in twips.
QRect fromTwips(const QRect& twips)
{
    const auto pixels = [](int value) { return Twips::toPixels(static_cast<float>(value)); };
    return QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height()));
}

constexpr int ClientWidth = 8655;
constexpr int ClientHeight = 7755;

} // namespace

SplasModule::SplasModule(Store& store, QWidget* parent, FileDialogs* dialogs)
    : QWidget(parent)
    , m_store(store)
    , m_systemDialogs(dialogs ? nullptr : std::make_unique<SystemFileDialogs>())
    , m_dialogs(dialogs ? *dialogs : *m_systemDialogs)
{
    setObjectName(QStringLiteral("SplasModule"));
    setWindowTitle(QStringLiteral("TN2  -  Modulo di Impostazione"));
    setFixedSize(fromTwips({0, 0, ClientWidth, ClientHeight}).size());
    buildControls();
    readConfiguration();
}

SplasModule::~SplasModule() = default;

std::optional<int> SplasModule::selectedResolution() const
{
    for (int index = 0; index < static_cast<int>(RB1.size()); ++index) {
        if (RB1[index]->isChecked())
            return index;
    }
    return std::nullopt;
}

QPushButton* SplasModule::addButton(const QString& name, const QString& caption, const QRect& twips)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(WindowFont::tahoma());
    button->setGeometry(fromTwips(twips));
    return button;
}

void SplasModule::buildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(fromTwips({120, 120, 8415, 4560}));
    Image1->setPixmap(ShellPictures::mainMenu(Image1->size()));
    // The arrangement stays as it is: backup and restore live in the picture's context menu.
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            guarded(this, [this](const QPoint& position) { showSettingsMenu(position); }));

    Label1 = new QLabel(QStringLiteral("Versione Beta 3.1.145"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::segoePrint(9.75));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setGeometry(fromTwips({120, 4710, 8415, 420}));

    GroupBox1 = new QGroupBox(QStringLiteral("Selezione Risoluzione dei Video (Monitor/TV)"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(fromTwips({120, 5160, 3495, 1095}));
    GroupBox1->setFont(WindowFont::fitted(WindowFont::tahoma(), GroupBox1->title(), GroupBox1->width() - 12));
    const int resolutionTops[3] = {300, 540, 780};
    for (int index = 0; index < static_cast<int>(RB1.size()); ++index) {
        auto* button = new QRadioButton(QString::fromLatin1(Resolutions[index].caption), GroupBox1);
        button->setObjectName(QStringLiteral("RB1_%1").arg(index));
        button->setGeometry(fromTwips({90, resolutionTops[index], 3345, 240}));
        // The indicator takes about 20 pixels of the button's width.
        button->setFont(WindowFont::fitted(WindowFont::tahoma(), button->text(), button->width() - 24));
        // clicked, not toggled: only the operator's choice is stored, not the state read at start.
        connect(button, &QRadioButton::clicked, this,
                guarded(
                    this, [this] { storeResolution(); }, [this] { readConfiguration(); }));
        RB1[index] = button;
    }

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(fromTwips({120, 6280, 3495, 495}));
    NumerazioneSingola = new QCheckBox(QStringLiteral(" Numerazione singola"), GroupBox2);
    NumerazioneSingola->setObjectName(QStringLiteral("NumerazioneSingola"));
    NumerazioneSingola->setFont(WindowFont::tahoma());
    NumerazioneSingola->setGeometry(fromTwips({90, 120, 3345, 255}));
    connect(NumerazioneSingola, &QCheckBox::clicked, this,
            guarded(
                this, [this] { storeNumbering(); }, [this] { readConfiguration(); }));

    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("Imposta Meteo"), {3960, 5205, 1815, 1020});
    PB1[7] = addButton(QStringLiteral("PB1_7"), QStringLiteral("Gestione Layout FrontEnd"), {5760, 5205, 2775, 1020});
    Command0 = addButton(QStringLiteral("Command0"), QStringLiteral("Testo Scorrevole"), {3960, 6210, 1695, 615});
    tempoc = addButton(QStringLiteral("tempoc"), QStringLiteral(" Tempo chiamata"), {5760, 6210, 1455, 615});
    PushButton1 = addButton(QStringLiteral("PushButton1"), QStringLiteral(" DinDon"), {7320, 6210, 1215, 615});
    Avviso = addButton(QStringLiteral("Avviso"), QStringLiteral("Avviso"), {120, 7080, 1080, 555});
    PB1[3] = addButton(QStringLiteral("PB1_3"), QStringLiteral("&Video"), {1320, 7080, 960, 555});
    PB1[4] = addButton(QStringLiteral("PB1_4"), QStringLiteral("&Immagini"), {2400, 7080, 1200, 555});
    PB1[5] = addButton(QStringLiteral("PB1_5"), QStringLiteral("&Musica"), {3720, 7080, 1080, 555});
    PB1[6] = addButton(QStringLiteral("PB1_6"), QStringLiteral("&Radio"), {4920, 7080, 1080, 555});
    PB1[2] = addButton(QStringLiteral("PB1_2"), QStringLiteral("&Utenti"), {6120, 7080, 1080, 555});
    PB1[0] = addButton(QStringLiteral("PB1_0"), QStringLiteral("C&hudi"), {7320, 7080, 1215, 555});

    connect(PB1[7], &QPushButton::clicked, this, guarded(this, [this] { openLayoutChooser(); }));
    connect(PB1[3], &QPushButton::clicked, this, guarded(this, [this] { OpenVideoPlaylists(m_store, this); }));
    connect(PB1[4], &QPushButton::clicked, this, guarded(this, [this] { OpenPhotoPlaylists(m_store, this); }));
    connect(PB1[5], &QPushButton::clicked, this, guarded(this, [this] { OpenMP3(m_store, this); }));
    connect(PB1[2], &QPushButton::clicked, this, guarded(this, [this] { OpenGestioneUtenti(m_store, this); }));
    connect(PB1[6], &QPushButton::clicked, this, guarded(this, [this] { OpenGestioneRadio(m_store, this); }));
    connect(Command1, &QPushButton::clicked, this, guarded(this, [this] { OpenWeather(m_store, this); }));
    connect(Command0, &QPushButton::clicked, this, guarded(this, [this] { OpenForm4(m_store, this); }));
    connect(tempoc, &QPushButton::clicked, this, guarded(this, [this] { OpenTempoChiamata(m_store, this); }));
    connect(PushButton1, &QPushButton::clicked, this, guarded(this, [this] { OpenDinDon(m_store, this); }));
    connect(Avviso, &QPushButton::clicked, this, guarded(this, [this] { OpenMostroAvviso(m_store, this); }));
    connect(PB1[0], &QPushButton::clicked, this, &QWidget::close);
}

void SplasModule::readConfiguration()
{
    const ConfigurationRecord configuration(m_store);
    const std::optional<double> stored = configuration.resolution();
    // Exclusive radio buttons cannot all be cleared; a stored value outside 1 to 3 clears them.
    for (QRadioButton* button : RB1)
        button->setAutoExclusive(false);
    for (int index = 0; index < static_cast<int>(RB1.size()); ++index)
        RB1[index]->setChecked(stored && *stored == index + 1);
    for (QRadioButton* button : RB1)
        button->setAutoExclusive(true);
    NumerazioneSingola->setChecked(configuration.singleNumbering());
}

void SplasModule::storeResolution()
{
    const std::optional<int> index = selectedResolution();
    if (!index)
        return;
    ConfigurationRecord(m_store).setResolution(*index + 1);
    const QString notice = QString::fromLatin1(Resolutions[*index].notice);
    MsgForm::showMessage({QStringLiteral("Schermata video impostata a : ") + notice}, this);
}

void SplasModule::storeNumbering()
{
    const bool single = NumerazioneSingola->isChecked();
    ConfigurationRecord(m_store).setSingleNumbering(single);
    MsgForm::showMessage(
        {single ? QStringLiteral("Impostata Numerazione Singola ") : QStringLiteral("Impostata Numerazione Standard ")},
        this);
}

void SplasModule::openLayoutChooser()
{
    OpenLayoutChooser(m_store, selectedResolution(), this, &m_dialogs);
}

void SplasModule::showSettingsMenu(const QPoint& position)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuImpostazioni"));
    menu.setFont(WindowFont::tahoma());
    QAction* backup = menu.addAction(QStringLiteral("Salva copia delle impostazioni..."));
    backup->setObjectName(QStringLiteral("SalvaImpostazioni"));
    QAction* restore = menu.addAction(QStringLiteral("Ripristina impostazioni..."));
    restore->setObjectName(QStringLiteral("RipristinaImpostazioni"));
    // The command runs once the menu has closed, not inside its event loop.
    QAction* chosen = menu.exec(Image1->mapToGlobal(position));
    if (chosen == backup)
        SettingsCommands::backup(m_store, m_dialogs, this);
    else if (chosen == restore)
        restoreSettings();
}

void SplasModule::restoreSettings()
{
    SettingsCommands::restore(m_store, m_dialogs, this, [this] { readConfiguration(); });
}

void SplasModule::closeEvent(QCloseEvent* event)
{
    const bool ExitAnswer = FormUscita::ask(this);
    if (ExitAnswer)
        event->accept();
    else
        event->ignore();
}

#include "media/MP3.h"

#include "data/ConfigurationRecord.h"
#include "ui/FileDialogs.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"
#include "ui/WindowFont.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

MP3::MP3(Store& store, FileDialogs& fileDialogs, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_fileDialogs(fileDialogs)
{
    SettingsWindow::setUp(this, QStringLiteral("MP3"), QStringLiteral("Impostazione Cartella Attiva MP3"));
    buildControls();
    FE1->setText(ConfigurationRecord(m_store).musicFolder().value_or(QString()));
}

void MP3::buildControls()
{
    Label1 = new QLabel(QStringLiteral("Cartella MP3"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::tahoma(9.75, true));
    FE1 = new QLineEdit(this);
    FE1->setObjectName(QStringLiteral("FE1"));
    Label1->setBuddy(FE1);

    const QStringList captions{QStringLiteral("C&hiudi"), QStringLiteral("&Conferma"), QStringLiteral("...")};
    for (int index = 0; index < static_cast<int>(CBT.size()); ++index) {
        CBT[index] = new QPushButton(captions[index], this);
        CBT[index]->setObjectName(QStringLiteral("CBT_%1").arg(index));
        // Enter in the folder box must not store or close by accident.
        CBT[index]->setAutoDefault(false);
    }
    CBT[2]->setFixedWidth(32);
    connect(CBT[0], &QPushButton::clicked, this, &QDialog::close);
    connect(CBT[1], &QPushButton::clicked, this, guarded(this, [this] { conferma(); }));
    connect(CBT[2], &QPushButton::clicked, this, guarded(this, [this] { chooseFolder(); }));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(FE1);
    folderRow->addWidget(CBT[2]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CBT[1]);
    buttons->addWidget(CBT[0]);
    auto* window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addLayout(folderRow);
    window->addStretch();
    window->addLayout(buttons);
    resize(480, 140);
}

void MP3::chooseFolder()
{
    // Like the shell's folder browser, the chooser starts from the desktop whatever the box holds;
    // from home where there is no desktop folder, so that "Choose" never offers a missing one.
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QDir(start).exists())
        start = QDir::homePath();
    const std::optional<QString> chosen =
        m_fileDialogs.existingFolder(this, QStringLiteral("Selezionare la cartella"), start);
    if (chosen && !chosen->isEmpty())
        FE1->setText(*chosen);
}

void MP3::conferma()
{
    const QString folder = FE1->text();
    if (folder.isEmpty())
        return;
    ConfigurationRecord(m_store).setMusicFolder(folder);
    MsgForm::showMessage({QStringLiteral("Cartella MP3 impostata come predefinita !")}, this);
}

#include "playlists/SalvaNuovoIM.h"

#include "data/PlaylistFile.h"
#include "data/Store.h"
#include "playlists/PlaylistFileName.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"
#include "ui/WindowFont.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Lower-case a to z become capitals as they are typed; every other character stays as it is.
QString capitals(QString text)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return text;
}

} // namespace

SalvaNuovoIM::SalvaNuovoIM(Store& store, const QString& extensionCaption, const QString& kindWord,
                           const QStringList& entries, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_entries(entries)
{
    SettingsWindow::setUp(this, QStringLiteral("SalvaNuovoIM"), QStringLiteral("Salva PlayList in nuovo File"));
    buildControls();
    Label1->setText(extensionCaption);
    Label2->setText(kindWord);
}

void SalvaNuovoIM::buildControls()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Inserire nome del file"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    FE = new QLineEdit(GroupBox1);
    FE->setObjectName(QStringLiteral("FE"));
    FE->setMinimumWidth(260);
    Label1 = new QLabel(QStringLiteral(".tni"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Video"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(WindowFont::tahoma(8.25, true));

    PushButton1 = new QPushButton(QStringLiteral("C&onferma"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setDefault(true); // Enter in the name box confirms
    Command5 = new QPushButton(QStringLiteral("&Annulla"), this);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setAutoDefault(false);

    // Pasted text is put in capitals too, so what is shown is always what is written.
    connect(FE, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = FE->cursorPosition();
        FE->setText(capitals(text));
        FE->setCursorPosition(cursor);
    });
    connect(PushButton1, &QPushButton::clicked, this, guarded(this, [this] { confirm(); }));
    connect(Command5, &QPushButton::clicked, this, &QDialog::reject);

    auto* name = new QHBoxLayout(GroupBox1);
    name->addWidget(FE, 1);
    name->addWidget(Label1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2);
    buttons->addStretch();
    buttons->addWidget(PushButton1);
    buttons->addWidget(Command5);
    auto* window = new QVBoxLayout(this);
    window->addWidget(GroupBox1);
    window->addLayout(buttons);
}

void SalvaNuovoIM::confirm()
{
    const QString typed = FE->text();
    // A name of blanks alone would make a file that no one could tell apart in the list.
    if (typed.trimmed().isEmpty()) {
        MsgForm::showMessage({QStringLiteral("Inserire un nome per il file !")}, this);
        return;
    }
    const QString extension = Label2->text() == QLatin1String("Foto") ? QStringLiteral(".tni") : QStringLiteral(".tnv");
    const QString name = PlaylistFileName::withExtension(typed, extension);
    if (const QStringList problem = PlaylistFileName::problem(name); !problem.isEmpty()) {
        MsgForm::showMessage(problem, this);
        return;
    }
    // Anchored at the program folder, where the playlist-file lists look and the display program reads.
    PlaylistFile::write(m_store.filePath(name), m_entries);
    accept();
}

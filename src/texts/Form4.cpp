#include "texts/Form4.h"

#include "data/ConfigurationRecord.h"
#include "texts/ScrollingPreview.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

Form4::Form4(Store& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    SettingsWindow::setUp(this, QStringLiteral("Form4"), QStringLiteral("Impostazione Testo Scorrevole"));
    buildControls();
    testo->setText(ConfigurationRecord(m_store).scrollingText().value_or(QString()));
}

void Form4::buildControls()
{
    Label1 = new QLabel(QStringLiteral("Inserire testo"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::tahoma(9.75, true));
    testo = new QLineEdit(this);
    testo->setObjectName(QStringLiteral("testo"));
    Label1->setBuddy(testo);

    PushButton1 = SettingsWindow::pushButton(this, QStringLiteral("PushButton1"), QStringLiteral("Prova"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    // The preview rewrites itself every tick; typing there would only be lost.
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setFont(WindowFont::tahoma(12, true));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ScrollingPreview::StepMs);
    connect(Timer1, &QTimer::timeout, this, [this] { tick(); });

    PB1[0] = SettingsWindow::pushButton(this, QStringLiteral("PB1_0"), QStringLiteral("C&hudi"));
    PB1[1] = SettingsWindow::pushButton(this, QStringLiteral("PB1_1"), QStringLiteral("&Salva dati"));
    connect(PushButton1, &QPushButton::clicked, this, [this] { prova(); });
    connect(PB1[1], &QPushButton::clicked, this, guarded(this, [this] { salvaDati(); }));
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);

    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(PushButton1);
    previewRow->addWidget(Text1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PB1[1]);
    buttons->addWidget(PB1[0]);
    auto* window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addWidget(testo);
    window->addSpacing(8);
    window->addLayout(previewRow);
    window->addStretch();
    window->addLayout(buttons);
    resize(560, 170);
}

void Form4::prova()
{
    m_preview = ScrollingPreview::start(testo->text());
    Timer1->start();
}

void Form4::tick()
{
    m_preview = ScrollingPreview::step(m_preview);
    Text1->setText(m_preview);
    Text1->setCursorPosition(0);
}

void Form4::salvaDati()
{
    ConfigurationRecord(m_store).setScrollingText(testo->text());
    MsgForm::showMessage({QStringLiteral("Memorizzazione effettuata !")}, this);
}

#include "texts/TempoChiamata.h"

#include "data/ConfigurationRecord.h"
#include "texts/CallTime.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

SecondsBox::SecondsBox(QWidget* parent)
    : QLineEdit(parent)
{
    // Neither a drop nor an input method may put in what the keys may not.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void SecondsBox::focusInEvent(QFocusEvent* event)
{
    QGuiApplication::clipboard()->clear();
    QLineEdit::focusInEvent(event);
    selectAll();
}

void SecondsBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
    const bool backspace = event->key() == Qt::Key_Backspace;
    // Keys that type nothing (arrows, Delete, Home, Tab) move and erase as usual; of those that
    // type, only digits and backspace count. Paste goes too, whatever key the platform gives it.
    if (event->matches(QKeySequence::Paste) || (!text.isEmpty() && !digit && !backspace)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TempoChiamata::TempoChiamata(Store& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    SettingsWindow::setUp(this, QStringLiteral("TempoChiamata"), QStringLiteral("Tempo di Chiamata"));
    buildControls();
    T1->setText(CallTime::shownSeconds(ConfigurationRecord(m_store).callTime()));
}

void TempoChiamata::buildControls()
{
    Image1 = SettingsWindow::iconLabel(this, QStyle::SP_MessageBoxInformation);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Label1 = new QLabel(QStringLiteral("Tempo espresso in secondi circa..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    T1 = new SecondsBox(this);
    T1->setObjectName(QStringLiteral("T1"));
    T1->setFixedWidth(80);
    Label1->setBuddy(T1);

    PB1[0] = SettingsWindow::pushButton(this, QStringLiteral("PB1_0"), QStringLiteral("C&hudi"));
    PB1[1] = SettingsWindow::pushButton(this, QStringLiteral("PB1_1"), QStringLiteral("&Ok"));
    connect(PB1[1], &QPushButton::clicked, this, guarded(this, [this] { ok(); }));
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PB1[1]);
    buttons->addWidget(PB1[0]);
    auto* window = new QGridLayout(this);
    window->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    window->addWidget(Label1, 0, 1);
    window->addWidget(T1, 1, 1, Qt::AlignLeft);
    window->addWidget(Label2, 2, 1);
    window->addLayout(buttons, 3, 0, 1, 2);
    window->setColumnStretch(1, 1);
    resize(340, 150);
}

void TempoChiamata::ok()
{
    const std::optional<double> milliseconds = CallTime::millisecondsFor(T1->text());
    if (!milliseconds) {
        MsgForm::showMessage({QStringLiteral("Impostare valore compreso fra 1 e 60")}, this);
        return;
    }
    ConfigurationRecord(m_store).setCallTime(*milliseconds);
    close();
}

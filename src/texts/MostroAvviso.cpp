#include "texts/MostroAvviso.h"

#include "data/ConfigurationRecord.h"
#include "ui/Guarded.h"
#include "ui/SettingsWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

MostroAvviso::MostroAvviso(Store& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    SettingsWindow::setUp(this, QStringLiteral("MostroAvviso"), QStringLiteral("Avviso di Chiamata"));
    buildControls();
    // A value never chosen leaves both buttons clear, as they are built.
    if (const std::optional<bool> shown = ConfigurationRecord(m_store).notice())
        RB1[*shown ? 0 : 1]->setChecked(true);
}

void MostroAvviso::buildControls()
{
    Image1 = SettingsWindow::iconLabel(this, QStyle::SP_MessageBoxQuestion);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Label1 = new QLabel(
        QStringLiteral("Utilizzare schermata di avviso durante la gestione della coda nel Modulo Server"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    RB1[0] = new QRadioButton(QStringLiteral(" SI"), this);
    RB1[1] = new QRadioButton(QStringLiteral(" NO"), this);
    for (int index = 0; index < static_cast<int>(RB1.size()); ++index)
        RB1[index]->setObjectName(QStringLiteral("RB1_%1").arg(index));

    PB1[0] = SettingsWindow::pushButton(this, QStringLiteral("PB1_0"), QStringLiteral("C&hudi"));
    PB1[1] = SettingsWindow::pushButton(this, QStringLiteral("PB1_1"), QStringLiteral("&Ok"));
    connect(PB1[1], &QPushButton::clicked, this, guarded(this, [this] { ok(); }));
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);

    auto* choices = new QHBoxLayout;
    choices->addWidget(RB1[0]);
    choices->addWidget(RB1[1]);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PB1[1]);
    buttons->addWidget(PB1[0]);
    auto* window = new QGridLayout(this);
    window->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    window->addWidget(Label1, 0, 1);
    window->addLayout(choices, 1, 1);
    window->addWidget(Label2, 2, 1);
    window->addLayout(buttons, 3, 0, 1, 2);
    window->setColumnStretch(1, 1);
    resize(400, 160);
}

void MostroAvviso::ok()
{
    // With neither chosen the record stays as it is.
    if (RB1[0]->isChecked())
        ConfigurationRecord(m_store).setNotice(true);
    else if (RB1[1]->isChecked())
        ConfigurationRecord(m_store).setNotice(false);
    close();
}

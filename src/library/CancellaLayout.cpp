#include "library/CancellaLayout.h"

#include "data/LayoutTableCopy.h"
#include "library/ClearLayoutPicture.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CancellaLayout::CancellaLayout(Store& store, int layout, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_layout(layout)
{
    SettingsWindow::setUp(this, QStringLiteral("CancellaLayout"), QStringLiteral("Form5"));
    buildControls();
    Label3->setText(QString::number(layout));
}

void CancellaLayout::buildControls()
{
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    Shape1->setFrameShadow(QFrame::Raised);

    Label1 = new QLabel(QStringLiteral("Intendi realmente annullare il Layout selezionato ?"), Shape1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(WindowFont::tahoma(9.75, true));
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Layout nr"), Shape1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(Shape1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(WindowFont::tahoma(9.75, true));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ClearLayoutPicture::draw(64));

    const QStringList captions{QStringLiteral("C&hiudi"), QStringLiteral("&Conferma")};
    for (int index = 0; index < static_cast<int>(PB1.size()); ++index)
        PB1[index] = SettingsWindow::pushButton(this, QStringLiteral("PB1_%1").arg(index), captions[index]);
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);
    connect(PB1[1], &QPushButton::clicked, this, guarded(this, [this] { confirm(); }));

    auto* number = new QHBoxLayout;
    number->addWidget(Label2);
    number->addWidget(Label3);
    number->addStretch();
    auto* question = new QVBoxLayout(Shape1);
    question->addWidget(Label1);
    question->addLayout(number);

    auto* body = new QHBoxLayout;
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addWidget(Shape1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PB1[1]);
    buttons->addWidget(PB1[0]);

    auto* window = new QVBoxLayout(this);
    window->addLayout(body);
    window->addLayout(buttons);
    setMinimumWidth(420);
}

void CancellaLayout::confirm()
{
    if (m_layout < LayoutTableCopy::FirstLayout || m_layout > LayoutTableCopy::LastLayout) {
        MsgForm::showMessage({QStringLiteral("Layout nr \"%1\" non valido !").arg(m_layout),
                              QStringLiteral("Si possono annullare solo i Layout da 1 a 10."),
                              QStringLiteral("Nessun layout è stato modificato.")},
                             this);
        return;
    }
    LayoutTableCopy(m_store).clear(m_layout);
    MsgForm::showMessage({QStringLiteral("Layout cancellato correttamente ! ")}, this);
    accept();
}

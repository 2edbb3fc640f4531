#include "library/CancellaLayout.h"

#include "library/ClearLayoutPicture.h"
#include "library/LibraryWindow.h"
#include "library/model/LayoutTableCopy.h"
#include "shell/MsgForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The number in Label3 exactly as the chooser writes it ("1" .. "10"), or -1. " 3" or "03"
// would name a table that does not exist, so they are refused too.
int layoutNumber(const QString& text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || QString::number(number) != text || number < LayoutTableCopy::FirstLayout ||
        number > LayoutTableCopy::LastLayout)
        return -1;
    return number;
}

} // namespace

CancellaLayout::CancellaLayout(QWidget* parent)
    : QDialog(parent)
{
    LibraryWindow::setUp(this, QStringLiteral("CancellaLayout"), QStringLiteral("Form5"));
    buildControls();
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
        PB1[index] = LibraryWindow::pushButton(this, QStringLiteral("PB1_%1").arg(index), captions[index]);
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);
    connect(PB1[1], &QPushButton::clicked, this, &CancellaLayout::confirm);

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
    const int layout = layoutNumber(Label3->text());
    if (layout < 0) {
        MsgForm::showMessage({QStringLiteral("Layout nr \"%1\" non valido !").arg(Label3->text()),
                              QStringLiteral("Si possono annullare solo i Layout da 1 a 10."),
                              QStringLiteral("Nessun layout è stato modificato.")},
                             this);
        return;
    }
    LayoutTableCopy::clear(layout);
    MsgForm::showMessage({QStringLiteral("Layout cancellato correttamente ! ")}, this);
    accept();
}

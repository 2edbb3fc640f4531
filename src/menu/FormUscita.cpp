#include "menu/FormUscita.h"

#include "ui/ShellPictures.h"
#include "ui/WindowFont.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int Width = 340;
constexpr int Height = 150;

} // namespace

FormUscita::FormUscita(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormUscita"));
    setWindowTitle(QStringLiteral("Chiusura applicazione"));
    setFixedSize(Width, Height);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 72, 72);
    Image1->setPixmap(ShellPictures::exitSign(Image1->size()));

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(100, 22, Width - 116, 60);
    Image2->setPixmap(ShellPictures::exitQuestion(Image2->size(), QStringLiteral("Vuoi chiudere il programma?")));

    CBT[0] = new QPushButton(QStringLiteral("&Si"), this);
    CBT[0]->setGeometry(100, Height - 46, 104, 30);
    CBT[1] = new QPushButton(QStringLiteral("&No"), this);
    CBT[1]->setGeometry(Width - 120, Height - 46, 104, 30);
    for (int index = 0; index < static_cast<int>(CBT.size()); ++index) {
        CBT[index]->setObjectName(QStringLiteral("CBT_%1").arg(index));
        CBT[index]->setFont(WindowFont::tahoma());
    }

    connect(CBT[0], &QPushButton::clicked, this, &QDialog::accept);
    connect(CBT[1], &QPushButton::clicked, this, &QDialog::reject);
}

bool FormUscita::ask(QWidget* parent)
{
    FormUscita window(parent);
    return window.exec() == QDialog::Accepted;
}

#include "ui/MsgForm.h"

#include "ui/ShellPictures.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace {

// The caption every line has until a caller sets it; a line still showing it was not used.
const QString UnsetLine = QStringLiteral("Label2");

constexpr int Width = 420;
constexpr int Height = 196;
constexpr int Margin = 14;
constexpr int LineTop = 46;
constexpr int LineHeight = 22;

QWidget* defaultParent(QWidget* parent)
{
    if (parent)
        return parent;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

MsgForm::MsgForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MsgForm"));
    // The title is empty by design, but Qt puts the program's name in a title left empty: a blank
    // keeps the title bar as empty as the operator is meant to see it.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(Width, Height);
    QPalette background = palette();
    background.setBrush(QPalette::Window, ShellPictures::messageBackground(size()));
    setPalette(background);
    setAutoFillBackground(true);

    auto* heading = new QLabel(QStringLiteral("Messaggio x te  da TURNOVA 2"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setFont(WindowFont::tahoma(9.75, true));
    heading->setGeometry(Margin, 10, Width - 2 * Margin, 22);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(Margin, 36, Width - 2 * Margin, 2);

    for (int index = 0; index < static_cast<int>(Label2.size()); ++index) {
        auto* label = new QLabel(UnsetLine, this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(index));
        label->setFont(WindowFont::tahoma(9.75));
        label->setGeometry(Margin, LineTop + index * LineHeight, Width - 2 * Margin, LineHeight - 2);
        Label2[index] = label;
    }

    const int buttonTop = Height - Margin - 28;
    PB1[0] = new QPushButton(QStringLiteral("C&hiudi"), this);
    PB1[0]->setGeometry(Width - Margin - 100, buttonTop, 100, 28);
    PB1[1] = new QPushButton(QStringLiteral("&Conferma"), this);
    PB1[1]->setGeometry(Width - Margin - 208, buttonTop, 100, 28);
    PB1[1]->hide();
    for (int index = 0; index < static_cast<int>(PB1.size()); ++index) {
        PB1[index]->setObjectName(QStringLiteral("PB1_%1").arg(index));
        PB1[index]->setFont(WindowFont::tahoma());
    }
    PB1[0]->setDefault(true);

    connect(PB1[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(PB1[1], &QPushButton::clicked, this, &QDialog::accept);
}

void MsgForm::setLines(const QStringList& lines)
{
    for (int index = 0; index < lines.size() && index < static_cast<int>(Label2.size()); ++index)
        Label2[index]->setText(lines[index]);
}

void MsgForm::showMessage(const QStringList& lines, QWidget* parent)
{
    MsgForm form(defaultParent(parent));
    form.setLines(lines);
    form.exec();
}

bool MsgForm::ask(const QStringList& lines, QWidget* parent)
{
    MsgForm form(defaultParent(parent));
    form.setLines(lines);
    form.PB1[1]->show();
    // Only "&Conferma" accepts; "C&hiudi", Escape and the close box all reject.
    return form.exec() == QDialog::Accepted;
}

void MsgForm::showEvent(QShowEvent* event)
{
    for (QLabel* label : Label2) {
        if (label->text() == UnsetLine)
            label->hide();
    }
    QDialog::showEvent(event);
}

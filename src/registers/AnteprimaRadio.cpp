#include "registers/AnteprimaRadio.h"

#include "ui/web/WebPreview.h"

#include <QShortcut>
#include <QVBoxLayout>

AnteprimaRadio::AnteprimaRadio(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AnteprimaRadio"));
    setWindowTitle(QStringLiteral("Anteprima Radio selezionata"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    WB1 = new WebPreview(this);
    WB1->setObjectName(QStringLiteral("WB1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WB1);
    resize(640, 480);
    // The page keeps the keys it is given, Escape included; the window takes Escape back so the
    // preview can be closed from the keyboard.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QDialog::reject);
}

void AnteprimaRadio::navigate(const QString& address)
{
    WB1->navigate(address);
}

#include "registers/AnteprimaRadio.h"

#include "ui/web/WebPreview.h"

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
}

void AnteprimaRadio::navigate(const QString& address)
{
    WB1->navigate(address);
}

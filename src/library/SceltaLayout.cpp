#include "library/SceltaLayout.h"

#include "designer/model/LayoutRecords.h"
#include "library/ApplyLayoutToDesigner.h"
#include "library/CancellaLayout.h"
#include "library/CopiaLayout.h"
#include "library/LibraryWindow.h"
#include "library/model/LayoutCaption.h"
#include "shell/MsgForm.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString NamesTable = QStringLiteral("DescrizioneLayout");

// The layout number a stored qualelayout stands for (0 for the base layout), or -1 when it holds
// something this program never writes: null, a fraction, text, 0, 11, a negative number.
int layoutOfDefault(const QVariant& stored)
{
    if (stored.isNull())
        return -1;
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (!ok || value != std::trunc(value))
        return -1;
    if (value == SceltaLayout::BaseDefault)
        return 0;
    if (value >= 1 && value <= 10)
        return static_cast<int>(value);
    return -1;
}

// DescrizioneLayout is walked by position; with fewer than eleven rows the names would land on
// the wrong layouts, so that is refused before anything is shown or written.
RecordSet openNames()
{
    Database& database = Database::current();
    RecordSet names(database, NamesTable);
    if (names.count() < SceltaLayout::LayoutCount)
        throw StoreError(QStringLiteral("La tabella \"%1\" contiene solo %2 righe: ne servono %3, una per il Layout "
                                        "Base e una per ogni layout da 1 a 10.")
                             .arg(NamesTable)
                             .arg(names.count())
                             .arg(SceltaLayout::LayoutCount),
                         database.path(), NamesTable);
    return names;
}

} // namespace

SceltaLayout::SceltaLayout(QWidget* parent)
    : QDialog(parent)
{
    LibraryWindow::setUp(this, QStringLiteral("SceltaLayout"), QStringLiteral("Selezione del Layout"));
    buildControls();
    readDefault();
    readNames();
}

QString SceltaLayout::invalidDefaultText()
{
    return QStringLiteral("Nessun layout predefinito valido");
}

void SceltaLayout::buildControls()
{
    const auto makeLabel = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        return label;
    };

    Label1 = makeLabel("Label1", QStringLiteral("Layout Predefinito"));
    Label2 = makeLabel("Label2", QString());
    Label2->setFont(WindowFont::tahoma(8.25, true));
    Label3 = makeLabel("Label3", QString());
    Label4 = makeLabel("Label4", QStringLiteral("Tipo Layout"));
    Label5 = makeLabel("Label5", QStringLiteral("Descrizione Layout"));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label4, 0, 1);
    grid->addWidget(Label5, 0, 2);

    // One row per layout, created in row order so that Tab walks radio, description, reset button.
    for (int layout = 0; layout < LayoutCount; ++layout) {
        RB1[layout] = new QRadioButton(GroupBox1);
        RB1[layout]->setObjectName(QStringLiteral("RB1_%1").arg(layout));

        for (int column = 0; column < 2; ++column) {
            const int index = 2 * layout + column;
            auto* field = new QLineEdit(GroupBox1);
            field->setObjectName(QStringLiteral("Text1_%1").arg(index));
            field->setFrame(false);
            // Only the descriptions of layouts 1 .. 10 take typing; Tab passes over the rest.
            if (layout == 0 || column == 0) {
                field->setReadOnly(true);
                field->setFocusPolicy(Qt::ClickFocus);
                // Drawn on the window's colour, so the fields that take typing stand out.
                QPalette palette = field->palette();
                palette.setColor(QPalette::Base, palette.color(QPalette::Window));
                field->setPalette(palette);
            }
            Text1[index] = field;
        }
        grid->addWidget(RB1[layout], layout + 1, 0);
        grid->addWidget(Text1[2 * layout], layout + 1, 1);
        grid->addWidget(Text1[2 * layout + 1], layout + 1, 2);

        if (layout > 0) {
            PPBB1[layout] = LibraryWindow::pushButton(this, QStringLiteral("PPBB1_%1").arg(layout),
                                                      QStringLiteral("Pulisce il Layout"));
            grid->addWidget(PPBB1[layout], layout + 1, 3);
            connect(PPBB1[layout], &QPushButton::clicked, this, [this, layout] { openClear(layout); });
        }
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 3);
    for (int layout = 0; layout < LayoutCount; ++layout)
        Text1[2 * layout]->setText(LayoutCaption(layout));
    Text1[1]->setText(QStringLiteral("Layout di Esempio o utile per la copia"));

    const QStringList captions{QStringLiteral("C&hudi"), QStringLiteral("&Salva"),
                               QStringLiteral("&Imposta predefinito"), QStringLiteral("Carica &Layout selezionato"),
                               QStringLiteral("&Copia Layout")};
    for (int index = 0; index < static_cast<int>(PB1.size()); ++index)
        PB1[index] = LibraryWindow::pushButton(this, QStringLiteral("PB1_%1").arg(index), captions[index]);
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);
    connect(PB1[1], &QPushButton::clicked, this, &SceltaLayout::saveNames);
    connect(PB1[2], &QPushButton::clicked, this, &SceltaLayout::setDefault);
    connect(PB1[3], &QPushButton::clicked, this, &SceltaLayout::loadSelected);
    connect(PB1[4], &QPushButton::clicked, this, &SceltaLayout::openCopy);

    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(Label1);
    defaultRow->addWidget(Label2);
    defaultRow->addStretch();
    defaultRow->addWidget(Label3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PB1[1]);
    buttons->addWidget(PB1[2]);
    buttons->addWidget(PB1[3]);
    buttons->addWidget(PB1[4]);
    buttons->addStretch();
    buttons->addWidget(PB1[0]);

    auto* window = new QVBoxLayout(this);
    window->addLayout(defaultRow);
    window->addWidget(GroupBox1);
    window->addLayout(buttons);
    setMinimumWidth(820);
}

void SceltaLayout::readDefault()
{
    const QVariant stored =
        RecordSet(Database::current(), QStringLiteral("Configurazione")).value(QStringLiteral("qualelayout"));
    const int layout = layoutOfDefault(stored);
    if (layout >= 0) {
        Label2->setText(LayoutCaption(layout));
        RB1[layout]->setChecked(true);
        return;
    }
    // A database not written by us. Say so, and stand on the base layout: it is read-only, so
    // no action on this selection can write anything, and "Imposta predefinito" asks the user
    // to pick a layout from 1 to 10. The stored value is left as it is until the user does.
    Label2->setText(invalidDefaultText());
    Label2->setToolTip(stored.isNull() ? QStringLiteral("Valore memorizzato: nessuno")
                                       : QStringLiteral("Valore memorizzato: %1").arg(stored.toString()));
    RB1[0]->setChecked(true);
}

void SceltaLayout::readNames()
{
    RecordSet names = openNames();
    // The base layout's row is never shown: Text1 0 and 1 keep their own texts.
    names.moveNext();
    for (int layout = 1; layout < LayoutCount; ++layout) {
        Text1[2 * layout]->setText(names.value(QStringLiteral("LayoutNome")).toString());
        Text1[2 * layout + 1]->setText(names.value(QStringLiteral("LayoutDescrizione")).toString());
        names.moveNext();
    }
}

int SceltaLayout::selectedLayout() const
{
    for (int layout = 0; layout < LayoutCount; ++layout) {
        if (RB1[layout]->isChecked())
            return layout;
    }
    return 0;
}

void SceltaLayout::saveNames()
{
    {
        Transaction transaction(Database::current());
        RecordSet names = openNames();
        for (int layout = 0; layout < LayoutCount; ++layout) {
            names.edit();
            names.setValue(QStringLiteral("LayoutNome"), Text1[2 * layout]->text());
            names.setValue(QStringLiteral("LayoutDescrizione"), Text1[2 * layout + 1]->text());
            names.update();
            names.moveNext();
        }
        transaction.commit();
    }
    MsgForm::showMessage({QStringLiteral("Salvataggio effettuato !")}, this);
}

void SceltaLayout::setDefault()
{
    const int layout = selectedLayout();
    if (layout == 0) {
        MsgForm::showMessage({QStringLiteral("Selezionare Layout 1-10 !"), QStringLiteral("Impossibile impostare il"),
                              QStringLiteral("Layout Base come Predefinito !")},
                             this);
        return;
    }
    {
        RecordSet config(Database::current(), QStringLiteral("configurazione"));
        config.edit();
        config.setValue(QStringLiteral("qualelayout"), QVariant(static_cast<qint32>(layout)));
        config.update();
    }
    Label2->setText(LayoutCaption(layout));
    Label2->setToolTip(QString());
    MsgForm::showMessage({QStringLiteral("Layout Predefinito memorizzato !")}, this);
}

void SceltaLayout::loadSelected()
{
    CurrentLayoutTable = LayoutTableName(selectedLayout());
    ApplyLayoutToDesigner(this);
}

void SceltaLayout::openCopy()
{
    CopiaLayout window(this);
    window.exec();
}

void SceltaLayout::openClear(int layout)
{
    CancellaLayout window(this);
    window.Label3->setText(QString::number(layout));
    window.exec();
}

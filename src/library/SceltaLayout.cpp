#include "library/SceltaLayout.h"
#include "library/OpenLayoutChooser.h"

#include "data/ConfigurationRecord.h"
#include "data/LayoutCaption.h"
#include "data/LayoutFile.h"
#include "data/LayoutNames.h"
#include "data/LayoutRecords.h"
#include "data/StoreError.h"
#include "designer/OpenDesigner.h"
#include "library/CancellaLayout.h"
#include "library/CopiaLayout.h"
#include "ui/FileDialogs.h"
#include "ui/Guarded.h"
#include "ui/MessageLines.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

const QString LayoutFilter = QStringLiteral("Layout TN2 (*.tnl)");

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void showFailure(const QString& heading, const StoreError& error, QWidget* parent)
{
    QStringList paragraphs{heading, error.operatorMessage()};
    if (!error.file().isEmpty())
        paragraphs.append(error.file());
    MsgForm::showMessage(MessageLines::fit(paragraphs), parent);
}

} // namespace

SceltaLayout::SceltaLayout(Store& store, std::optional<int> resolution, QWidget* parent, FileDialogs* dialogs)
    : QDialog(parent)
    , m_store(store)
    , m_resolution(resolution)
    , m_systemDialogs(dialogs ? nullptr : std::make_unique<SystemFileDialogs>())
    , m_dialogs(dialogs ? *dialogs : *m_systemDialogs)
{
    SettingsWindow::setUp(this, QStringLiteral("SceltaLayout"), QStringLiteral("Selezione del Layout"));
    buildControls();
    readDefault();
    readNames();
}

SceltaLayout::~SceltaLayout() = default;

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
        // Export and import live in the row's context menu, so the row keeps its controls.
        for (QWidget* control : {static_cast<QWidget*>(RB1[layout]), static_cast<QWidget*>(Text1[2 * layout]),
                                 static_cast<QWidget*>(Text1[2 * layout + 1])}) {
            control->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(control, &QWidget::customContextMenuRequested, this,
                    guarded(this, [this, layout, control](const QPoint& position) {
                        showLayoutMenu(layout, control, position);
                    }));
        }
        grid->addWidget(RB1[layout], layout + 1, 0);
        grid->addWidget(Text1[2 * layout], layout + 1, 1);
        grid->addWidget(Text1[2 * layout + 1], layout + 1, 2);

        if (layout > 0) {
            PPBB1[layout] = SettingsWindow::pushButton(this, QStringLiteral("PPBB1_%1").arg(layout),
                                                       QStringLiteral("Pulisce il Layout"));
            grid->addWidget(PPBB1[layout], layout + 1, 3);
            connect(PPBB1[layout], &QPushButton::clicked, this, guarded(this, [this, layout] { openClear(layout); }));
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
        PB1[index] = SettingsWindow::pushButton(this, QStringLiteral("PB1_%1").arg(index), captions[index]);
    connect(PB1[0], &QPushButton::clicked, this, &QDialog::close);
    connect(PB1[1], &QPushButton::clicked, this, guarded(this, [this] { saveNames(); }));
    connect(PB1[2], &QPushButton::clicked, this, guarded(this, [this] { setDefault(); }));
    connect(PB1[3], &QPushButton::clicked, this, guarded(this, [this] { loadSelected(); }));
    connect(PB1[4], &QPushButton::clicked, this, guarded(this, [this] { openCopy(); }));

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
    const ConfigurationRecord configuration(m_store);
    if (const std::optional<int> layout = configuration.defaultLayout()) {
        Label2->setText(LayoutCaption(*layout));
        RB1[*layout]->setChecked(true);
        return;
    }
    const QVariant stored = configuration.storedDefaultLayout();
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
    const QVector<LayoutNames::Entry> names = LayoutNames(m_store).read();
    // The base layout's row is never shown: Text1 0 and 1 keep their own texts.
    for (int layout = 1; layout < LayoutCount; ++layout) {
        Text1[2 * layout]->setText(names.at(layout).name);
        Text1[2 * layout + 1]->setText(names.at(layout).description);
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
    QVector<LayoutNames::Entry> names;
    for (int layout = 0; layout < LayoutCount; ++layout)
        names.append({Text1[2 * layout]->text(), Text1[2 * layout + 1]->text()});
    LayoutNames(m_store).write(names);
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
    ConfigurationRecord(m_store).setDefaultLayout(layout);
    Label2->setText(LayoutCaption(layout));
    Label2->setToolTip(QString());
    MsgForm::showMessage({QStringLiteral("Layout Predefinito memorizzato !")}, this);
}

void SceltaLayout::loadSelected()
{
    OpenDesigner(m_store, LayoutTableName(selectedLayout()), m_resolution, this);
}

void SceltaLayout::openCopy()
{
    CopiaLayout window(m_store, this);
    window.exec();
}

void SceltaLayout::openClear(int layout)
{
    CancellaLayout window(m_store, layout, this);
    window.exec();
}

void SceltaLayout::showLayoutMenu(int layout, QWidget* control, const QPoint& position)
{
    // A field keeps its own edit commands above ours.
    std::unique_ptr<QMenu> menu;
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
        menu.reset(field->createStandardContextMenu());
        menu->addSeparator();
    } else {
        menu = std::make_unique<QMenu>();
    }
    menu->setObjectName(QStringLiteral("MenuLayout"));
    QAction* exporting = menu->addAction(QStringLiteral("Esporta il %1 in un file...").arg(LayoutCaption(layout)));
    exporting->setObjectName(QStringLiteral("EsportaLayout"));
    QAction* importing = menu->addAction(QStringLiteral("Importa da un file nel %1...").arg(LayoutCaption(layout)));
    importing->setObjectName(QStringLiteral("ImportaLayout"));
    importing->setEnabled(layout != 0); // the base layout is never written
    QAction* chosen = menu->exec(control->mapToGlobal(position));
    if (chosen == exporting)
        exportLayout(layout);
    else if (chosen == importing)
        importLayout(layout);
}

void SceltaLayout::exportLayout(int layout)
{
    static const QRegularExpression unusable(QStringLiteral(R"([\\/:*?"<>|])"));
    QString name = Text1[2 * layout]->text().trimmed();
    name.replace(unusable, QStringLiteral("_"));
    if (name.isEmpty())
        name = LayoutCaption(layout);
    const std::optional<QString> chosen =
        m_dialogs.saveFileName(this, QStringLiteral("Esporta layout"),
                               QDir(documentsFolder()).filePath(name + QStringLiteral(".tnl")), {LayoutFilter});
    if (!chosen)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".tnl");
    try {
        LayoutFile::save(m_store, layout, path);
        MsgForm::showMessage(MessageLines::fit({QStringLiteral("%1 esportato nel file:").arg(LayoutCaption(layout)),
                                                QDir::toNativeSeparators(path)}),
                             this);
    } catch (const StoreError& error) {
        showFailure(QStringLiteral("Il layout non è stato esportato."), error, this);
    }
}

void SceltaLayout::importLayout(int layout)
{
    const std::optional<QString> chosen = m_dialogs.openFileName(this, {LayoutFilter});
    if (!chosen)
        return;
    if (!MsgForm::ask(
            MessageLines::fit({QStringLiteral("Il %1 verrà sostituito dal layout del file:").arg(LayoutCaption(layout)),
                               QDir::toNativeSeparators(*chosen), QStringLiteral("Continuare?")}),
            this))
        return;
    try {
        const LayoutNames::Entry entry = LayoutFile::load(m_store, *chosen, layout);
        // The row shows what was written, so that "&Salva" keeps it.
        Text1[2 * layout]->setText(entry.name);
        Text1[2 * layout + 1]->setText(entry.description);
        MsgForm::showMessage(
            MessageLines::fit({QStringLiteral("Layout importato nel %1:").arg(LayoutCaption(layout)), entry.name}),
            this);
    } catch (const StoreError& error) {
        showFailure(QStringLiteral("Il layout non è stato importato: il %1 non è cambiato.").arg(LayoutCaption(layout)),
                    error, this);
    }
}

void OpenLayoutChooser(Store& store, std::optional<int> resolution, QWidget* parent, FileDialogs* dialogs)
{
    SceltaLayout chooser(store, resolution, parent, dialogs);
    chooser.exec();
}

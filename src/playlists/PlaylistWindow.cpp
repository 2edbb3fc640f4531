#include "playlists/PlaylistWindow.h"

#include "data/ConfigurationRecord.h"
#include "data/PlaylistFile.h"
#include "data/Store.h"
#include "playlists/PlaylistFileName.h"
#include "playlists/SalvaNuovoIM.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListWidget.h"
#include "ui/FileLists.h"
#include "ui/FolderListWidget.h"
#include "ui/FolderReading.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A sentence of the lists, broken into the message window's lines at blanks; a word too long for a line (a
// deep folder path) is cut short with an ellipsis.
QStringList messageLines(const QString& sentence)
{
    constexpr int LineWidth = 388;
    constexpr int MaxLines = 5;
    const QFontMetrics metrics(WindowFont::tahoma(9.75));
    QStringList lines;
    QString line;
    for (const QString& word : sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || metrics.horizontalAdvance(longer) <= LineWidth) {
            line = longer;
            continue;
        }
        lines.append(line);
        line = word;
    }
    if (!line.isEmpty())
        lines.append(line);
    if (lines.size() > MaxLines) {
        lines[MaxLines - 1] += QStringLiteral(" ") + lines.mid(MaxLines).join(QLatin1Char(' '));
        lines = lines.mid(0, MaxLines);
    }
    for (QString& text : lines)
        text = metrics.elidedText(text, Qt::ElideMiddle, LineWidth);
    return lines;
}

QString digitsOnly(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

} // namespace

PlaylistWindow::PlaylistWindow(Store& store, PlaylistKind kind, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_kind(std::move(kind))
{
    SettingsWindow::setUp(this, m_kind.windowName, m_kind.caption);
    buildControls();
    open();
}

void PlaylistWindow::buildControls()
{
    const auto makeLabel = [this](const QString& name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        return label;
    };

    Label1[5] = makeLabel(QStringLiteral("Label1_5"), QStringLiteral("Disco / Cartelle"));
    Drive1 = new DriveComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new FolderListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new FileListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    m_lists = new FileLists(Drive1, Dir1, File1, this);

    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Files di impostazione presenti"));
    File2 = new FileListWidget(this);
    File2->setObjectName(QStringLiteral("File2"));

    Label1[0] = makeLabel(QStringLiteral("Label1_0"), m_kind.activeCaption);
    Label1[1] = makeLabel(QStringLiteral("Label1_1"), QString());
    Label1[1]->setFont(WindowFont::tahoma(8.25, true));
    // A deep path must not widen the window; it can be read whole in the tooltip.
    Label1[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label1[1]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setUniformItemSizes(true); // ten thousand entries lay out at once

    if (m_kind.pictureTime) {
        Label1[2] = makeLabel(QStringLiteral("Label1_2"), QStringLiteral("Tempo scorrimento immagine (millisecondi)"));
        Text1 = new QLineEdit(this);
        Text1->setObjectName(QStringLiteral("Text1"));
        Text1->setMaximumWidth(120);
        // Only digits are kept, whether typed, pasted or dropped.
        connect(Text1, &QLineEdit::textEdited, this, [this](const QString& text) {
            const QString digits = digitsOnly(text);
            if (digits == text)
                return;
            const int cursor = int(digitsOnly(text.left(Text1->cursorPosition())).size());
            Text1->setText(digits);
            Text1->setCursorPosition(cursor);
        });
    }

    Command1 = SettingsWindow::pushButton(this, QStringLiteral("Command1"), m_kind.addOneCaption);
    Command10 = SettingsWindow::pushButton(this, QStringLiteral("Command10"), m_kind.addAllCaption);
    Command2 = SettingsWindow::pushButton(this, QStringLiteral("Command2"), QStringLiteral("&Elimina dalla PlayList"));
    Command4 = SettingsWindow::pushButton(this, QStringLiteral("Command4"), QStringLiteral("Sposta S&u"));
    Command3 = SettingsWindow::pushButton(this, QStringLiteral("Command3"), QStringLiteral("Sposta G&iù"));
    Command9 = SettingsWindow::pushButton(this, QStringLiteral("Command9"), QStringLiteral("&Vuota PlayList"));
    Command6 = SettingsWindow::pushButton(this, QStringLiteral("Command6"), QStringLiteral("&Salva"));
    SalvaNuovo = SettingsWindow::pushButton(this, QStringLiteral("SalvaNuovo"), QStringLiteral("&Salva in nuovo file"));
    Command89 =
        SettingsWindow::pushButton(this, QStringLiteral("Command89"), QStringLiteral("Seleziona come Predefinito!"));
    Command89->setToolTip(QStringLiteral("Imposta il file TNI attivo come Predefinito"));
    PushButton1 = SettingsWindow::pushButton(this, QStringLiteral("PushButton1"), QStringLiteral("Anteprima"));
    PushButton2 = SettingsWindow::pushButton(this, QStringLiteral("PushButton2"), QStringLiteral("Anteprima"));
    Command5 = SettingsWindow::pushButton(this, QStringLiteral("Command5"), QStringLiteral("C&hiudi"));

    connect(File1, &FileListWidget::fileClicked, this,
            [this](const QString& name) { m_pickedMedia = File1->filePath(name); });
    connect(File2, &FileListWidget::fileClicked, this, guarded(this, [this](const QString& name) {
                m_activePlaylist = m_store.filePath(name);
                Label1[1]->setText(m_activePlaylist);
                Label1[1]->setToolTip(m_activePlaylist);
                loadPlaylist();
            }));
    connect(Command1, &QPushButton::clicked, this, [this] { addOne(); });
    connect(Command10, &QPushButton::clicked, this, [this] { addAll(); });
    connect(Command2, &QPushButton::clicked, this, [this] { removeEntry(); });
    connect(Command4, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(Command3, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(Command9, &QPushButton::clicked, List2, &QListWidget::clear);
    connect(Command6, &QPushButton::clicked, this, guarded(this, [this] { save(); }));
    connect(SalvaNuovo, &QPushButton::clicked, this, guarded(this, [this] { saveInNewFile(); }));
    connect(Command89, &QPushButton::clicked, this, guarded(this, [this] { setDefault(); }));
    connect(PushButton1, &QPushButton::clicked, this, guarded(this, [this] { previewMediaFile(); }));
    connect(PushButton2, &QPushButton::clicked, this, guarded(this, [this] { previewEntry(); }));
    connect(Command5, &QPushButton::clicked, this, &QDialog::close);

    auto* media = new QVBoxLayout;
    media->addWidget(Label1[5]);
    media->addWidget(Drive1);
    media->addWidget(Dir1, 2);
    media->addWidget(File1, 3);
    media->addWidget(PushButton1);
    media->addWidget(Command1);
    media->addWidget(Command10);

    auto* files = new QVBoxLayout;
    files->addWidget(Label2);
    files->addWidget(File2, 1);
    if (Text1) {
        files->addWidget(Label1[2]);
        files->addWidget(Text1);
    }

    auto* editing = new QVBoxLayout;
    editing->addWidget(Command2);
    editing->addWidget(Command4);
    editing->addWidget(Command3);
    editing->addWidget(Command9);
    editing->addStretch();
    editing->addWidget(PushButton2);
    auto* playlist = new QGridLayout;
    playlist->addWidget(Label1[0], 0, 0, 1, 2);
    playlist->addWidget(Label1[1], 1, 0, 1, 2);
    playlist->addWidget(List2, 2, 0);
    playlist->addLayout(editing, 2, 1);
    playlist->setRowStretch(2, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(media, 3);
    columns->addLayout(files, 2);
    columns->addLayout(playlist, 5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command6);
    buttons->addWidget(SalvaNuovo);
    buttons->addWidget(Command89);
    buttons->addStretch();
    buttons->addWidget(Command5);

    auto* window = new QVBoxLayout(this);
    window->addLayout(columns, 1);
    window->addLayout(buttons);
    resize(980, 600);
}

void PlaylistWindow::open()
{
    if (Text1)
        Text1->setText(ConfigurationRecord(m_store).pictureTime().value_or(QStringLiteral("0")));
    File1->setPattern(m_kind.mediaPattern);
    File2->setPattern(m_kind.playlistPattern());
    // The lists start where the program was started from; when that cannot be read, in the program folder,
    // which can.
    if (!m_lists->setPath(QDir::currentPath()))
        m_lists->setPath(m_store.folder());
    listPlaylistFiles();
    // A playlist file that cannot be read is said once; the window opens all the same, with no entries.
    runGuarded(parentWidget(), [this] { loadPlaylist(); });
    // From here on the operator chose the drive or folder, and hears why it cannot be read.
    connect(m_lists, &FileLists::readFailed, this, &PlaylistWindow::showReadFailure);
    connect(File2, &FileListWidget::readFailed, this, &PlaylistWindow::showReadFailure);
}

void PlaylistWindow::showReadFailure(const QString& message)
{
    MsgForm::showMessage(messageLines(message), this);
}

void PlaylistWindow::listPlaylistFiles()
{
    if (File2->setPath(m_store.folder()) && File2->count() > 0) {
        File2->setCurrentRow(0);
        m_activePlaylist = m_store.filePath(File2->item(0));
    } else {
        m_activePlaylist.clear();
    }
    Label1[1]->setText(m_activePlaylist);
    Label1[1]->setToolTip(m_activePlaylist);
}

void PlaylistWindow::loadPlaylist()
{
    // Exactly ".tni" or ".tnv": a file named in capitals is listed and can be saved into, never loaded.
    if (!m_activePlaylist.endsWith(m_kind.extension, Qt::CaseSensitive))
        return;
    BusyCursor busy;
    // Read before clearing: a file that cannot be read leaves the entries as they were.
    const QStringList read = PlaylistFile::read(m_activePlaylist);
    List2->clear();
    List2->addItems(read);
    if (List2->count() > 0)
        List2->setCurrentRow(0);
}

QStringList PlaylistWindow::entries() const
{
    QStringList list;
    list.reserve(List2->count());
    for (int row = 0; row < List2->count(); ++row)
        list.append(List2->item(row)->text());
    return list;
}

QString PlaylistWindow::pictureTime() const
{
    return Text1 ? Text1->text() : QString();
}

int PlaylistWindow::selectedEntry() const
{
    const QList<QListWidgetItem*> selected = List2->selectedItems();
    return selected.isEmpty() ? -1 : List2->row(selected.first());
}

void PlaylistWindow::addOne()
{
    if (!m_pickedMedia.isEmpty())
        List2->addItem(m_pickedMedia);
}

void PlaylistWindow::addAll()
{
    if (File1->count() == 0)
        return;
    BusyCursor busy;
    // Full paths, as "add one" stores them: the display program plays a playlist from anywhere.
    QStringList paths;
    paths.reserve(File1->count());
    for (const QString& name : File1->items())
        paths.append(File1->filePath(name));
    List2->addItems(paths);
}

void PlaylistWindow::removeEntry()
{
    const int row = selectedEntry();
    if (List2->count() == 0 || row < 0)
        return;
    delete List2->takeItem(row);
    // The first entry, not the removed one's neighbour.
    if (List2->count() > 0)
        List2->setCurrentRow(0);
}

void PlaylistWindow::moveEntry(int step)
{
    const int row = selectedEntry();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= List2->count())
        return;
    QListWidgetItem* item = List2->takeItem(row);
    List2->insertItem(target, item);
    List2->setCurrentRow(target);
}

void PlaylistWindow::save()
{
    if (List2->count() == 0 || m_activePlaylist.isEmpty())
        return;
    BusyCursor busy;
    PlaylistFile::write(PlaylistFileName::withExtension(m_activePlaylist, m_kind.extension), entries());
}

void PlaylistWindow::saveInNewFile()
{
    if (List2->count() == 0)
        return;
    {
        SalvaNuovoIM dialog(m_store, m_kind.extensionCaption, m_kind.kindWord, entries(), this);
        dialog.exec();
    }
    // However it closed: the first playlist file becomes the active one, whichever was written; the entries
    // stay as they are.
    listPlaylistFiles();
}

void PlaylistWindow::setDefault()
{
    if (m_activePlaylist.isEmpty() || !m_activePlaylist.endsWith(m_kind.extension, Qt::CaseSensitive))
        return;
    storeDefault(m_activePlaylist);
    MsgForm::showMessage({QStringLiteral("PlayList impostata come predefinita !")}, this);
}

void PlaylistWindow::previewMediaFile()
{
    if (File1->count() == 0 || File1->currentRow() < 0)
        return;
    preview(File1->filePath(File1->currentFileName()));
}

void PlaylistWindow::previewEntry()
{
    const int row = selectedEntry();
    if (List2->count() == 0 || row < 0)
        return;
    preview(List2->item(row)->text());
}

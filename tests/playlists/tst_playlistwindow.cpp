#include "ReadErrorWindow.h"
#include "data/ConfigurationRecord.h"
#include "data/PlaylistFile.h"
#include "playlists/ImpostaFoto.h"
#include "playlists/ImpostaVideo.h"
#include "playlists/SalvaNuovoIM.h"
#include "support/WindowTest.h"
#include "ui/FileListWidget.h"
#include "ui/FolderListWidget.h"

namespace {

QString extension(const QString& kind)
{
    return kind == "photo" ? ".tni" : ".tnv";
}

std::unique_ptr<PlaylistWindow> openWindow(const QString& kind, TestFolder& folder)
{
    std::unique_ptr<PlaylistWindow> window;
    if (kind == "photo")
        window = std::make_unique<ImpostaFoto>(folder.store());
    else
        window = std::make_unique<ImpostaVideo>(folder.store());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the window did not show");
    return window;
}

void clickFile(const QWidget& window, const QString& list, const QString& name)
{
    auto* files = child<FileListWidget>(window, list);
    const QModelIndex index = files->model()->index(int(files->items().indexOf(name)), 0);
    if (!index.isValid())
        qFatal("%s does not list %s", qPrintable(list), qPrintable(name));
    files->scrollTo(index);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(index).center());
}

int selectedRow(const QWidget& window)
{
    auto* list = child<QListWidget>(window, "List2");
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The active file, as the window holds it and as its label shows it.
QString active(const PlaylistWindow& window)
{
    const QString shown = child<QLabel>(window, "Label1_1")->text();
    return shown == window.activePlaylist() ? shown : "label " + shown + " for " + window.activePlaylist();
}

const QStringList Entries{QStringLiteral("C:\\Foto\\perché.jpg"), QStringLiteral("C:\\Foto\\b.jpg")};

QStringList playlistFiles(const TestFolder& folder)
{
    return QDir(folder.path()).entryList({QStringLiteral("*.tn?")}, QDir::Files | QDir::Hidden, QDir::Name);
}

// Types text key by key, accented letters too (keyClicks takes ASCII only).
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestPlaylistWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_media;
    std::unique_ptr<ModalDriver> m_driver;

    QString media(const QString& name) const { return QDir::toNativeSeparators(m_media.filePath(name)); }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        // The windows open on the working folder: pictures and clips of mixed case, other files, a sub-folder.
        QVERIFY(QDir(m_media.path()).mkpath("sub"));
        for (const char* name : {"b.jpg", "a.jpg", "c.JPG", "d.bmp", "clip.mp4", "x.AVI", "y.mov", "sub/e.jpg"})
            QVERIFY(writeBytes(m_media.filePath(QLatin1String(name)), {}));
        QVERIFY(QDir::setCurrent(m_media.path()));
    }
    void init() { m_driver = std::make_unique<ModalDriver>(); }
    void cleanup()
    {
        QVERIFY(m_driver->unexpected().isEmpty());
        QCOMPARE(m_driver->pending(), 0);
    }

    // The window opens on the first playlist file of its kind and loads it, unless its extension is not
    // written exactly as the kind's; the picture time shows "0" for a time never stored.
    void opening_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QVariant>("tempo");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("time");
        const QStringList none;
        QTest::newRow("photo, no playlist files")
            << "photo" << QStringList{"a.tnv"} << QVariant() << none << none << "0";
        QTest::newRow("photo, the first file loaded")
            << "photo" << QStringList{"b.tni", "A.tni", "c.tnv"} << QVariant("2500") << QStringList{"A.tni", "b.tni"}
            << QStringList{"A.tni 1", "A.tni 2"} << "2500";
        QTest::newRow("photo, capitals first: active, not loaded")
            << "photo" << QStringList{"A.TNI", "b.tni"} << QVariant() << QStringList{"A.TNI", "b.tni"} << none << "0";
        QTest::newRow("photo, an empty time stays empty") << "photo" << none << QVariant("") << none << none << "";
        QTest::newRow("video, the first file loaded")
            << "video" << QStringList{"z.tnv", "m.tnv", "a.tni"} << QVariant("1") << QStringList{"m.tnv", "z.tnv"}
            << QStringList{"m.tnv 1", "m.tnv 2"} << QString();
    }

    void opening()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, files);
        QFETCH(QVariant, tempo);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, entries);
        TestFolder folder;
        for (const QString& name : files)
            PlaylistFile::write(folder.filePath(name), {name + " 1", name + " 2"});
        storeConfiguration(folder, "tempo", tempo);

        const auto window = openWindow(kind, folder);

        QCOMPARE(active(*window), listed.isEmpty() ? QString() : QDir::toNativeSeparators(folder.filePath(listed[0])));
        QCOMPARE(child<FileListWidget>(*window, "File2")->items(), listed);
        QCOMPARE(window->entries(), entries);
        auto* time = window->findChild<QLineEdit*>("Text1");
        QCOMPARE(time != nullptr, kind == "photo");
        if (time)
            QTEST(time->text(), "time");
    }

    // Moving the first entry up or the last down changes nothing; an entry moved stays selected; removing
    // selects the first entry, not the neighbour; with nothing selected no button acts, no preview opens;
    // nothing reaches the file but a save.
    void editingButtons_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("selectedAfter");
        const QStringList abcd{"A", "B", "C", "D"};
        QTest::newRow("first up") << 0 << "Command4" << abcd << 0;
        QTest::newRow("last down") << 3 << "Command3" << abcd << 3;
        QTest::newRow("second up") << 1 << "Command4" << QStringList{"B", "A", "C", "D"} << 0;
        QTest::newRow("third down") << 2 << "Command3" << QStringList{"A", "B", "D", "C"} << 3;
        QTest::newRow("remove the third") << 2 << "Command2" << QStringList{"A", "B", "D"} << 0;
        QTest::newRow("remove the last") << 3 << "Command2" << QStringList{"A", "B", "C"} << 0;
        QTest::newRow("none selected, up") << -1 << "Command4" << abcd << -1;
        QTest::newRow("none selected, remove") << -1 << "Command2" << abcd << -1;
        QTest::newRow("none selected, preview") << -1 << "PushButton2" << abcd << -1;
        QTest::newRow("no file selected, preview") << -1 << "PushButton1" << abcd << -1;
        QTest::newRow("empty the list") << 1 << "Command9" << QStringList{} << -1;
    }

    void editingButtons()
    {
        QFETCH(int, selected);
        QFETCH(QString, button);
        TestFolder folder;
        PlaylistFile::write(folder.filePath("a.tni"), {"A", "B", "C", "D"});
        const auto window = openWindow("photo", folder);
        child<QListWidget>(*window, "List2")->clearSelection();
        child<FileListWidget>(*window, "File1")->setCurrentRow(-1);
        if (selected >= 0)
            child<QListWidget>(*window, "List2")->setCurrentRow(selected);

        clickButton(*window, button); // a preview that opened would be left to the watchdog

        QTEST(window->entries(), "entries");
        QTEST(selectedRow(*window), "selectedAfter");
        QCOMPARE(PlaylistFile::read(folder.filePath("a.tni")), QStringList({"A", "B", "C", "D"}));
    }

    // Add-one appends the file last clicked, as often as it is clicked, without moving the selection;
    // add-all appends every listed file; both store full paths.
    void addingMediaFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("all"); // the file picked, then every file listed
        QTest::newRow("photo") << "photo" << QStringList{"b.jpg", "a.jpg", "b.jpg", "c.JPG"};
        QTest::newRow("video") << "video" << QStringList{"x.AVI", "clip.mp4", "x.AVI"};
    }

    void addingMediaFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, all);
        TestFolder folder;
        PlaylistFile::write(folder.filePath("p" + extension(kind)), {"P"});
        const auto window = openWindow(kind, folder);

        clickButton(*window, "Command1"); // nothing picked yet
        QCOMPARE(window->entries(), QStringList{"P"});
        clickFile(*window, "File1", all[0]);
        clickButton(*window, "Command1");
        clickButton(*window, "Command1");
        QCOMPARE(selectedRow(*window), 0);
        clickButton(*window, "Command10");

        QStringList expected{"P", media(all[0])};
        for (const QString& name : all)
            expected.append(media(name));
        QCOMPARE(window->entries(), expected);
    }

    // "&Salva" replaces the active file with the list, byte for byte, without a word. A file named in
    // capitals is listed and becomes active when clicked, but keeps the entries on screen instead of
    // loading and cannot be made the default, while "&Salva" writes into it. An empty list, or no active
    // file, writes nothing.
    void saving()
    {
        TestFolder folder;
        QVERIFY(writeBytes(folder.filePath("a.tni"), "una voce più lunga di quanto verrà scritto\r\nB\r\n"));
        PlaylistFile::write(folder.filePath("Z.TNI"), {"Z"});
        const auto window = openWindow("photo", folder);

        clickButton(*window, "Command2"); // the first line goes
        clickFile(*window, "File1", "a.jpg");
        clickButton(*window, "Command1");
        clickButton(*window, "Command6");
        const QByteArray saved = "B\r\n" + media("a.jpg").toLatin1() + "\r\n";
        QCOMPARE(readBytes(folder.filePath("a.tni")), saved);

        clickFile(*window, "File2", "Z.TNI");
        QCOMPARE(active(*window), QDir::toNativeSeparators(folder.filePath("Z.TNI")));
        QCOMPARE(window->entries(), QStringList({"B", media("a.jpg")}));
        clickButton(*window, "Command89");
        QVERIFY(!ConfigurationRecord(folder.store()).photoPlaylist());
        clickButton(*window, "Command6");
        QCOMPARE(readBytes(folder.filePath("Z.TNI")), saved);
        QCOMPARE(QDir(folder.path()).entryList({"*.tn?"}, QDir::Files), QStringList({"a.tni", "Z.TNI"}));
        clickButton(*window, "Command9");
        clickButton(*window, "Command6");
        QCOMPARE(readBytes(folder.filePath("Z.TNI")), saved);

        TestFolder empty;
        const auto without = openWindow("video", empty);
        clickFile(*without, "File1", "clip.mp4");
        clickButton(*without, "Command1");
        clickButton(*without, "Command6");
        clickButton(*without, "Command89");
        QCOMPARE(QDir(empty.path()).entryList({"*.tn?"}, QDir::Files), QStringList{});
        QVERIFY(!ConfigurationRecord(empty.store()).videoPlaylist());
    }

    // After "&Salva in nuovo file", however the dialog closed, the first playlist file of the folder is
    // the active one, not necessarily the one just written, and the entries stay as they are; a following
    // "&Salva" writes into that first file. An empty list opens no dialog.
    void saveInNewFile_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }

    void saveInNewFile()
    {
        QFETCH(bool, confirm);
        const QString ext = ".tni";
        TestFolder folder;
        PlaylistFile::write(folder.filePath("m" + ext), {"M"});
        const auto window = openWindow("photo", folder);
        clickButton(*window, "Command9");
        clickButton(*window, "SalvaNuovo"); // empty list: no dialog
        clickButton(*window, "Command10");
        const QStringList entries = window->entries();
        QVERIFY(!entries.isEmpty());
        // Another program adds a file that sorts first while the window is open.
        PlaylistFile::write(folder.filePath("b" + ext), {"B"});
        m_driver->next([&](QWidget* dialog) {
            QTest::keyClicks(child<QLineEdit>(*dialog, "FE"), "zeta");
            ModalDriver::click(dialog, confirm ? "PushButton1" : "Command5");
        });

        clickButton(*window, "SalvaNuovo");

        const QStringList listed{"b" + ext, "m" + ext, "ZETA" + ext};
        QCOMPARE(child<FileListWidget>(*window, "File2")->items(), listed.mid(0, confirm ? 3 : 2));
        if (confirm)
            QCOMPARE(PlaylistFile::read(folder.filePath("ZETA" + ext)), entries);
        QCOMPARE(active(*window), QDir::toNativeSeparators(folder.filePath("b" + ext)));
        QCOMPARE(window->entries(), entries);
        clickButton(*window, "Command6");
        QCOMPARE(PlaylistFile::read(folder.filePath("b" + ext)), entries);
        QCOMPARE(PlaylistFile::read(folder.filePath("m" + ext)), QStringList{"M"});
    }

    // "Seleziona come Predefinito!" stores the path of the active file and, for photos, the time box
    // (digits only, an empty box as "0"); entries not yet saved stay out of the file.
    void setDefault_data()
    {
        QTest::addColumn<QStringList>("kindTypedShownTempo");
        QTest::newRow("photo, letters dropped") << QStringList{"photo", "4a5 b0,0x", "4500", "4500"};
        QTest::newRow("photo, any number of digits")
            << QStringList{"photo", "123456789012", "123456789012", "123456789012"};
        QTest::newRow("photo, an empty box") << QStringList{"photo", "", "", "0"};
        QTest::newRow("video: the time is not touched") << QStringList{"video", "", "", "777"};
    }

    void setDefault()
    {
        QFETCH(QStringList, kindTypedShownTempo);
        const QString kind = kindTypedShownTempo[0];
        TestFolder folder;
        storeConfiguration(folder, "tempo", "777");
        PlaylistFile::write(folder.filePath("b" + extension(kind)), {"B"});
        PlaylistFile::write(folder.filePath("c" + extension(kind)), {"C"});
        const auto window = openWindow(kind, folder);
        clickFile(*window, "File2", "c" + extension(kind));
        if (kind == "photo") {
            auto* time = child<QLineEdit>(*window, "Text1");
            time->selectAll();
            QTest::keyClick(time, Qt::Key_Backspace);
            QTest::keyClicks(time, kindTypedShownTempo[1]);
            QCOMPARE(time->text(), kindTypedShownTempo[2]);
        }
        clickButton(*window, "Command9");
        QStringList message;
        m_driver->nextMessage(&message);

        clickButton(*window, "Command89");

        QCOMPARE(message, QStringList{"PlayList impostata come predefinita !"});
        const ConfigurationRecord configuration(folder.store());
        const QString path = QDir::toNativeSeparators(folder.filePath("c" + extension(kind)));
        QCOMPARE(configuration.photoPlaylist(), kind == "photo" ? std::optional(path) : std::nullopt);
        QCOMPARE(configuration.videoPlaylist(), kind == "video" ? std::optional(path) : std::nullopt);
        QCOMPARE(configuration.pictureTime(), std::optional(kindTypedShownTempo[3]));
        QCOMPARE(PlaylistFile::read(path), QStringList{"C"});
    }

    // A playlist file gone since it was listed, a folder that cannot be read: the operator is told, and
    // the entries and the lists stay as they were.
    void unreadableFilesLoseNothing()
    {
        TestFolder folder;
        PlaylistFile::write(folder.filePath("a.tni"), {"A"});
        PlaylistFile::write(folder.filePath("b.tni"), {"B"});
        const auto window = openWindow("photo", folder);
        QVERIFY(QFile::remove(folder.filePath("b.tni")));
        QString said;
        m_driver->next(readErrorWindow(&said));
        clickFile(*window, "File2", "b.tni");
        QVERIFY2(said.startsWith("Il file playlist non esiste"), qPrintable(said));
        QCOMPARE(window->entries(), QStringList{"A"});

        const QString gone = QDir::toNativeSeparators(m_media.filePath("non più qui"));
        QStringList lines;
        m_driver->nextMessage(&lines);
        QVERIFY(!child<FolderListWidget>(*window, "Dir1")->setPath(gone));
        QCOMPARE(lines.join(' '), "La cartella \"" + gone +
                                      "\" non esiste o non è disponibile: se si trova su un disco rimovibile o in "
                                      "rete, verificare che sia collegato.");
        QCOMPARE(child<FileListWidget>(*window, "File1")->path(), QDir::toNativeSeparators(m_media.path()));
    }

    // The name as typed is shown in capitals; the kind's extension is added in lower case unless the name ends
    // with it already; the file lands in the program folder with the entries; the dialog closes.
    void writesTheNamedFile_data()
    {
        QTest::addColumn<QStringList>("kindTypedShownFile");
        QTest::newRow("photo") << QStringList{"Foto", "abc", "ABC", "ABC.tni"};
        QTest::newRow("extension typed") << QStringList{"Foto", "sala.tni", "SALA.TNI", "SALA.TNI"};
        QTest::newRow("the other kind's extension") << QStringList{"Video", "sala.tni", "SALA.TNI", "SALA.TNI.tnv"};
        QTest::newRow("only a to z change") << QStringList{"Foto", "città 2 é-z", "CITTà 2 é-Z", "CITTà 2 é-Z.tni"};
        QTest::newRow("dot inside, blank at the end") << QStringList{"Foto", "v1.2 ", "V1.2 ", "V1.2 .tni"};
    }

    void writesTheNamedFile()
    {
        QFETCH(QStringList, kindTypedShownFile);
        const QString kindWord = kindTypedShownFile[0];
        const QString file = kindTypedShownFile[3];
        TestFolder folder;
        SalvaNuovoIM dialog(folder.store(), kindWord == "Foto" ? "tni" : "tnv", kindWord, Entries);
        dialog.show();
        QCOMPARE(child<QLabel>(dialog, "Label2")->text(), kindWord);
        type(child<QLineEdit>(dialog, "FE"), kindTypedShownFile[1]);
        QCOMPARE(child<QLineEdit>(dialog, "FE")->text(), kindTypedShownFile[2]);

        clickButton(dialog, "PushButton1");

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(playlistFiles(folder), QStringList{file});
        QCOMPARE(PlaylistFile::read(folder.filePath(file)), Entries);
    }

    // A name that cannot be a file is refused with a message, the dialog stays open and nothing is written;
    // the operator corrects the name and saves.
    void refusesNamesThatCannotBeFiles_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("message");

        const QStringList reserved{"Il nome del file non può contenere", "i caratteri  \\ / : * ? \" < > |",
                                   "né caratteri di controllo !"};
        QTest::newRow("empty") << "" << QStringList{"Inserire un nome per il file !"};
        QTest::newRow("blanks alone") << "   " << QStringList{"Inserire un nome per il file !"};
        QTest::newRow("a folder above") << "..\\SALA/1" << reserved;
        QTest::newRow("tab") << "SALA\t1" << reserved;
        QTest::newRow("outside the display's code page")
            << "SALA€ř"
            << QStringList{"Il nome del file contiene il carattere \"ř\",", "che il FrontEnd non può leggere !"};
        QTest::newRow("leading dot") << ".TNI" << QStringList{"Il nome del file non può iniziare con un punto !"};
        QTest::newRow("device name, with an extension too")
            << "LPT1.TXT"
            << QStringList{"\"LPT1\" è un nome riservato da Windows:", "scegliere un altro nome per il file !"};
    }

    void refusesNamesThatCannotBeFiles()
    {
        QFETCH(QString, typed);
        TestFolder folder;
        SalvaNuovoIM dialog(folder.store(), "tni", "Foto", Entries);
        dialog.show();
        auto* name = child<QLineEdit>(dialog, "FE");
        name->insert(typed); // pasted: a tab cannot be typed into the box
        QStringList said;
        m_driver->nextMessage(&said);
        clickButton(dialog, "PushButton1");

        QTEST(said, "message");
        QVERIFY(dialog.isVisible());
        QCOMPARE(name->text(), typed);
        QVERIFY(playlistFiles(folder).isEmpty());

        name->clear();
        QTest::keyClicks(name, "sala");
        clickButton(dialog, "PushButton1");
        QCOMPARE(playlistFiles(folder), QStringList{"SALA.tni"});
    }

    // An existing playlist is replaced without a question; a file that cannot be written is reported, the
    // dialog stays open with the name, and "&Annulla" then writes nothing.
    void replacesOrReportsAndCancels()
    {
        TestFolder folder;
        PlaylistFile::write(folder.filePath("SALA.tni"), {"vecchia voce", "e un'altra ancora", "e poi una terza"});
        QVERIFY(QDir(folder.path()).mkdir("ATRIO.tni"));

        SalvaNuovoIM replacing(folder.store(), "tni", "Foto", Entries);
        replacing.show();
        QTest::keyClicks(child<QLineEdit>(replacing, "FE"), "sala");
        clickButton(replacing, "PushButton1");
        QCOMPARE(PlaylistFile::read(folder.filePath("SALA.tni")), Entries);

        SalvaNuovoIM blocked(folder.store(), "tni", "Foto", Entries);
        blocked.show();
        QTest::keyClicks(child<QLineEdit>(blocked, "FE"), "atrio");
        QString said;
        m_driver->next(readErrorWindow(&said));
        clickButton(blocked, "PushButton1");
        QVERIFY2(said.startsWith("Il file playlist non può essere salvato"), qPrintable(said));
        QVERIFY(said.contains(QDir::toNativeSeparators(folder.filePath("ATRIO.tni"))));
        QVERIFY(blocked.isVisible());
        QCOMPARE(child<QLineEdit>(blocked, "FE")->text(), QStringLiteral("ATRIO"));

        clickButton(blocked, "Command5");
        QVERIFY(!blocked.isVisible());
        QCOMPARE(blocked.result(), int(QDialog::Rejected));
        QCOMPARE(playlistFiles(folder), QStringList{"SALA.tni"});
        QVERIFY(QFileInfo(folder.filePath("ATRIO.tni")).isDir());
    }
};

QTEST_MAIN(TestPlaylistWindow)
#include "tst_playlistwindow.moc"

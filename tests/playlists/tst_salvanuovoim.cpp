#include "ReadErrorWindow.h"
#include "data/PlaylistFile.h"
#include "playlists/SalvaNuovoIM.h"
#include "support/WindowTest.h"

#include <QFileInfo>

namespace {

const QStringList Entries{QStringLiteral("C:\\Foto\\perché.jpg"), QStringLiteral("C:\\Foto\\b.jpg")};

QStringList playlistFiles(const TestFolder& folder)
{
    return QDir(folder.path()).entryList({QStringLiteral("*.tn?")}, QDir::Files | QDir::Hidden, QDir::Name);
}

void save(SalvaNuovoIM& dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "PushButton1"), Qt::LeftButton);
}

// Types text key by key, accented letters too (keyClicks takes ASCII only).
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestSalvaNuovoIM : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModalDriver> m_driver;

private slots:
    void init() { m_driver = std::make_unique<ModalDriver>(); }
    void cleanup()
    {
        QVERIFY(m_driver->unexpected().isEmpty());
        QCOMPARE(m_driver->pending(), 0);
    }

    // The name as typed is shown in capitals; the kind's extension is added in lower case unless the name ends
    // with it already; the file lands in the program folder with the entries; the dialog closes.
    void writesTheNamedFile_data()
    {
        QTest::addColumn<QStringList>("kindTypedShownFile");
        QTest::newRow("photo") << QStringList{"Foto", "abc", "ABC", "ABC.tni"};
        QTest::newRow("video") << QStringList{"Video", "abc", "ABC", "ABC.tnv"};
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

        save(dialog);

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
        QTest::newRow("drive") << "C:SALA" << reserved;
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
        QFETCH(QStringList, message);
        TestFolder folder;
        SalvaNuovoIM dialog(folder.store(), "tni", "Foto", Entries);
        dialog.show();
        auto* name = child<QLineEdit>(dialog, "FE");
        name->insert(typed); // pasted: a tab cannot be typed into the box
        QStringList said;
        m_driver->nextMessage(&said);
        save(dialog);

        QCOMPARE(said, message);
        QVERIFY(dialog.isVisible());
        QCOMPARE(name->text(), typed);
        QVERIFY(playlistFiles(folder).isEmpty());

        name->clear();
        QTest::keyClicks(name, "sala");
        save(dialog);
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
        save(replacing);
        QCOMPARE(PlaylistFile::read(folder.filePath("SALA.tni")), Entries);

        SalvaNuovoIM blocked(folder.store(), "tni", "Foto", Entries);
        blocked.show();
        QTest::keyClicks(child<QLineEdit>(blocked, "FE"), "atrio");
        QString said;
        m_driver->next(readErrorWindow(&said));
        save(blocked);
        QVERIFY2(said.startsWith("Il file playlist non può essere salvato"), qPrintable(said));
        QVERIFY(said.contains(QDir::toNativeSeparators(folder.filePath("ATRIO.tni"))));
        QVERIFY(blocked.isVisible());
        QCOMPARE(child<QLineEdit>(blocked, "FE")->text(), QStringLiteral("ATRIO"));

        QTest::mouseClick(child<QPushButton>(blocked, "Command5"), Qt::LeftButton);
        QVERIFY(!blocked.isVisible());
        QCOMPARE(blocked.result(), int(QDialog::Rejected));
        QCOMPARE(playlistFiles(folder), QStringList{"SALA.tni"});
        QVERIFY(QFileInfo(folder.filePath("ATRIO.tni")).isDir());
    }
};

QTEST_MAIN(TestSalvaNuovoIM)
#include "tst_salvanuovoim.moc"

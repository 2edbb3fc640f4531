#include "data/PlaylistFile.h"
#include "data/Windows1252.h"
#include "support/core/FileBytes.h"
#include "support/core/StoreErrorOf.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

// Every byte but the two line ends, on one line.
QByteArray everyByte()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            bytes.append(char(b));
    }
    return bytes;
}

const QByteArray kOld("C:\\vecchia.jpg\r\n");

} // namespace

class TestPlaylistFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    // Lines end in CR LF, CR or LF; every empty line is an entry. What is written ends every entry in
    // CR LF ("written" rows), over a longer file, which must leave no tail, through a file beside it,
    // which must not stay behind.
    void bytesAndEntries_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("written");
        const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("accented path") << QByteArray("C:\\Foto\\perch\xE9.jpg\r\n")
                                       << QStringList{QStringLiteral("C:\\Foto\\perché.jpg")} << true;
        QTest::newRow("euro and quotes in the upper table")
            << QByteArray("\x80 \x93ok\x94 \x8A.jpg\r\n") << QStringList{QStringLiteral("€ “ok” Š.jpg")} << true;
        QTest::newRow("empty entries stay lines") << QByteArray("A\r\n\r\nB\r\n") << QStringList{"A", "", "B"} << true;
        QTest::newRow("one empty entry") << QByteArray("\r\n") << QStringList{QString()} << true;
        QTest::newRow("no entries") << QByteArray() << QStringList{} << true;
        QTest::newRow("CR only") << QByteArray("A\rB\r") << ab << false;
        QTest::newRow("LF only") << QByteArray("A\nB\n") << ab << false;
        QTest::newRow("no line end after the last") << QByteArray("A\r\nB") << ab << false;
        QTest::newRow("empty lines kept") << QByteArray("A\r\n\r\n\rB\r\n") << QStringList{"A", "", "", "B"} << false;
        QTest::newRow("CR then CR LF is two ends") << QByteArray("A\r\r\nB") << QStringList{"A", "", "B"} << false;
        QTest::newRow("LF CR is two ends") << QByteArray("A\n\rB") << QStringList{"A", "", "B"} << false;
    }

    void bytesAndEntries()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QFETCH(bool, written);
        const QString file = path(QStringLiteral("a.tni"));
        QVERIFY(writeBytes(file, bytes));
        QCOMPARE(PlaylistFile::read(file), entries);
        if (!written)
            return;
        QVERIFY(writeBytes(file, QByteArray(1000, 'x')));
        PlaylistFile::write(file, entries);
        QCOMPARE(readBytes(file), bytes);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.tni")});
    }

    // Any file whose lines end in CR LF, the last one too, survives a load and a save byte for byte:
    // the five bytes the code page leaves undefined included. The table agrees with the system's
    // code page, where Qt was built with one.
    void everyByteSurvives()
    {
        const QByteArray original = "A\r\nB\r\n\r\n" + everyByte() + "\r\n";
        const QString file = path(QStringLiteral("round.tni"));
        QVERIFY(writeBytes(file, original));
        const QStringList entries = PlaylistFile::read(file);
        QCOMPARE(entries.size(), 4);
        PlaylistFile::write(file, entries);
        QCOMPARE(readBytes(file), original);

        QStringDecoder system("windows-1252");
        if (!system.isValid())
            QSKIP("This Qt has no Windows-1252 codec to compare with");
        const QString decoded = system.decode(everyByte());
        QCOMPARE(Windows1252::decode(everyByte()), decoded);
        QByteArray encoded;
        QCOMPARE(Windows1252::encode(decoded, encoded), qsizetype(-1));
        QCOMPARE(encoded, everyByte());
    }

    // A read or write that fails names the file and says why, an entry the file cannot hold by its
    // number and character; nothing on disk changes.
    void failuresNameTheFile_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("entry"); // written second, after a good one
        QTest::addColumn<QStringList>("said");
        const auto refused = [](const char* row, const QString& entry, const QString& named) {
            QTest::newRow(row) << true << QStringLiteral("vecchia.tni") << entry
                               << QStringList{QStringLiteral("n. 2"), entry, named};
        };
        const auto failed = [](const char* row, bool writing, const char* name, const char* sentence) {
            QTest::newRow(row) << writing << QString::fromUtf8(name) << QStringLiteral("C:\\a.jpg")
                               << QStringList{QString::fromUtf8(sentence)};
        };
        refused("Polish letter", QStringLiteral("C:\\Foto\\łódź.jpg"), QStringLiteral("\"ł\" (U+0142)"));
        refused("emoji, a surrogate pair", QStringLiteral("C:\\Foto\\sole \U0001F600.jpg"),
                QStringLiteral("\"\U0001F600\" (U+1F600)"));
        refused("C1 control with a glyph in the table", QStringLiteral("a\u0080b"), QStringLiteral("U+0080"));
        refused("line feed would split the entry", QStringLiteral("due\nrighe.jpg"), QStringLiteral("a capo"));
        failed("read a missing file", false, "manca.tni", "non esiste");
        failed("read a folder", false, "cartella.tni", "cartella");
        failed("write into a missing folder", true, "manca/nuova.tni", "non può essere salvato");
        failed("write over a folder", true, "cartella.tni", "non può essere salvato");
        // The file itself could be written in place, but only a rename replaces it whole: refused.
        failed("write in a read-only folder", true, "sola lettura/vecchia.tni", "sola lettura");
    }

    void failuresNameTheFile()
    {
        QFETCH(bool, writing);
        QFETCH(QString, name);
        QFETCH(QString, entry);
        QFETCH(QStringList, said);

        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("cartella.tni")));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sola lettura")));
        const QStringList olds{path(QStringLiteral("vecchia.tni")), path(QStringLiteral("sola lettura/vecchia.tni"))};
        for (const QString& old : olds)
            QVERIFY(writeBytes(old, kOld));
        const QString readOnly = path(QStringLiteral("sola lettura"));
        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(readOnly).isWritable() && name.startsWith(QStringLiteral("sola lettura"))) {
            QFile::setPermissions(readOnly, writable);
            QSKIP("Running as an administrator: every folder can be written");
        }

        const QString file = path(name);
        const auto error = storeErrorOf([&] {
            if (writing)
                PlaylistFile::write(file, {QStringLiteral("C:\\buona.jpg"), entry});
            else
                PlaylistFile::read(file);
        });
        QFile::setPermissions(readOnly, writable);
        QVERIFY(error);
        for (const QString& part : said)
            QVERIFY2(error->operatorMessage().contains(part), qPrintable(error->operatorMessage()));
        QCOMPARE(error->file(), file);
        QVERIFY(QFileInfo(path(QStringLiteral("cartella.tni"))).isDir());
        for (const QString& old : olds)
            QCOMPARE(readBytes(old), kOld);
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::optional<QTemporaryDir> m_dir; // a new one for every test and row
};

QTEST_GUILESS_MAIN(TestPlaylistFile)
#include "tst_playlistfile.moc"

#include "ui/FileListWidget.h"
#include "ui/FolderListWidget.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

constexpr auto OwnerAll = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

} // namespace

class TestFileLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // pictures/ holds files of several kinds and cases, a hidden one and a folder named like a picture.
        QDir root(m_dir.path());
        for (const char* folder : {"pictures/i.jpg", "tree/b", "locked"})
            QVERIFY(root.mkpath(QString::fromLatin1(folder)));
        for (const char* file : {"pictures/a.jpg", "pictures/B.JPG", "pictures/c.Jpg", "pictures/d.bmp",
                                 "pictures/e.png", "pictures/f.jpeg", "pictures/g.jpg.txt", "pictures/.h.jpg",
                                 "pictures/y.AVI", "pictures/Z.mp4", "notAFolder.jpg"})
            QVERIFY(QFile(at(QString::fromLatin1(file))).open(QIODevice::WriteOnly));
    }

    void fileListMatchesPatternIgnoringCase_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("files");

        const QStringList jpg{QStringLiteral("a.jpg"), QStringLiteral("B.JPG"), QStringLiteral("c.Jpg")};
        QTest::newRow("pattern in upper case") << QStringLiteral("*.JPG") << jpg;
        QTest::newRow("background pictures") << QStringLiteral("*.jpg;*.bmp") << jpg + QStringList{"d.bmp"};
        QTest::newRow("blanks and an empty part")
            << QStringLiteral(" *.bmp ; *.png ;") << QStringList{"d.bmp", "e.png"};
        QTest::newRow("no pattern: every visible file, sorted without regard to case")
            << QString() << jpg + QStringList{"d.bmp", "e.png", "f.jpeg", "g.jpg.txt", "y.AVI", "Z.mp4"};
    }

    void fileListMatchesPatternIgnoringCase()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, files);

        FileListWidget list;
        QVERIFY(list.setPattern(pattern));
        QVERIFY(list.setPath(at(QStringLiteral("pictures"))));
        QCOMPARE(list.items(), files);
        QCOMPARE(list.filePath(list.item(0)), native(at(QStringLiteral("pictures/")) + "/" + files.first()));

        // A new pattern lists the same folder again; in a root folder the path gets no second separator.
        QVERIFY(list.setPattern(QStringLiteral("*.png")));
        QCOMPARE(list.items(), QStringList{QStringLiteral("e.png")});
        QVERIFY(list.setPath(QDir::rootPath()));
        QCOMPARE(list.filePath(QStringLiteral("a.jpg")), native(QDir::rootPath() + "a.jpg"));
    }

    void unreadableFolderLeavesListsAsTheyWere_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("sentence");

        QTest::newRow("a file") << QStringLiteral("notAFolder.jpg") << QStringLiteral("non è una cartella");
        QTest::newRow("no permission") << QStringLiteral("locked") << QStringLiteral("accesso negato");
        // A folder that is missing: entered after it was listed, or given.
        QTest::newRow("removed since it was listed") << QStringLiteral("tree/b/gone") << QStringLiteral("non esiste");
    }

    void unreadableFolderLeavesListsAsTheyWere()
    {
        QFETCH(QString, folder);
        QFETCH(QString, sentence);

        FolderListWidget folders;
        FileListWidget files;
        files.setPattern(QStringLiteral("*.jpg"));
        QVERIFY(QDir().mkpath(at(QStringLiteral("tree/b/gone"))));
        QVERIFY(folders.setPath(at(QStringLiteral("tree/b"))));
        QVERIFY(files.setPath(at(QStringLiteral("pictures"))));
        QVERIFY(QDir().rmdir(at(QStringLiteral("tree/b/gone"))));
        files.setCurrentRow(1);
        const QStringList folderTexts = folders.itemTexts();
        const QStringList fileItems = files.items();
        QSignalSpy folderFailed(&folders, &FolderListWidget::readFailed);
        QSignalSpy fileFailed(&files, &FileListWidget::readFailed);
        QSignalSpy changed(&folders, &FolderListWidget::pathChanged);

        if (folder == QStringLiteral("locked")) {
            QFile::setPermissions(at(folder), QFileDevice::Permissions());
            if (QFileInfo(at(folder)).isReadable()) {
                QFile::setPermissions(at(folder), OwnerAll);
                QSKIP("Running as an administrator: every folder can be read");
            }
        }
        if (folder.endsWith(QStringLiteral("gone")))
            emit folders.itemActivated(folders.item(int(folderTexts.indexOf(QStringLiteral("gone")))));
        else
            QVERIFY(!folders.setPath(at(folder)));
        QVERIFY(!files.setPath(at(folder)));
        QFile::setPermissions(at(QStringLiteral("locked")), OwnerAll);

        for (QSignalSpy* spy : {&folderFailed, &fileFailed}) {
            QCOMPARE(spy->count(), 1);
            const QString message = spy->first().first().toString();
            QVERIFY2(message.contains(sentence) && message.contains(native(at(folder))), qPrintable(message));
        }
        QCOMPARE(changed.count(), 0);
        QCOMPARE(folders.path(), native(at(QStringLiteral("tree/b"))));
        QCOMPARE(folders.itemTexts(), folderTexts);
        QCOMPARE(files.path(), native(at(QStringLiteral("pictures"))));
        QCOMPARE(files.items(), fileItems);
        QCOMPARE(files.currentRow(), 1);
    }

private:
    QString at(const QString& relative) const { return QDir::cleanPath(m_dir.filePath(relative)); }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"

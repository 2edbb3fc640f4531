// Bad files through the real windows: each is told in Italian or shown by a documented fallback,
// and what was stored before stays.

#include "Find.h"
#include "ModalDriver.h"
#include "core/FileBytes.h"
#include "core/SampleLayout.h"
#include "core/TestFolder.h"
#include "data/PlaylistFile.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/Form1.h"
#include "playlists/ImpostaFoto.h"

#include <QApplication>
#include <QDataStream>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// A bitmap header that claims 12000 by 12000 pixels: beyond Qt's allocation limit, cheap to write.
QByteArray hugeBitmapHeader()
{
    QByteArray bytes("BM");
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 pixelBytes = 12000u * 12000u * 3u;
    out << quint32(54 + pixelBytes) << quint32(0) << quint32(54) << quint32(40) << qint32(12000) << qint32(12000)
        << quint16(1) << quint16(24) << quint32(0) << quint32(pixelBytes) << qint32(2835) << qint32(2835) << quint32(0)
        << quint32(0);
    return bytes;
}

const QStringList TooLarge{QStringLiteral("L'immagine è troppo grande per essere caricata:")};

} // namespace

class TestBadFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // The photo playlist window opens the first playlist file; "Salva" writes back exactly what it
    // shows, or refuses and leaves the file as it was. The other playlist file is never touched.
    void playlistFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray everyByte;
        for (int byte = 0; byte < 256; ++byte)
            everyByte.append(static_cast<char>(byte));
        QTest::newRow("binary") << everyByte.repeated(40);
        QTest::newRow("a line of 2 MB") << QByteArray(2 * 1024 * 1024, 'x') + "\r\nC:\\Foto\\b.jpg\r\n";
        QTest::newRow("nothing but line ends") << QByteArray("\r\n\n\r\r\n");
    }

    void playlistFiles()
    {
        QFETCH(QByteArray, bytes);
        TestFolder folder;
        QVERIFY(writeBytes(folder.filePath(QStringLiteral("a.tni")), bytes));
        PlaylistFile::write(folder.filePath(QStringLiteral("b.tni")), {QStringLiteral("C:\\Foto\\b.jpg")});
        const QByteArray other = readBytes(folder.filePath(QStringLiteral("b.tni")));
        ImpostaFoto window(folder.store());
        window.show();
        QCOMPARE(window.entries(), PlaylistFile::decode(bytes));
        ModalDriver driver;
        QStringList said;
        driver.nextMessage(&said);

        child<QPushButton>(window, QStringLiteral("Command6"))->click();

        QCOMPARE(PlaylistFile::read(folder.filePath(QStringLiteral("a.tni"))), window.entries());
        if (!said.isEmpty())
            QCOMPARE(readBytes(folder.filePath(QStringLiteral("a.tni"))), bytes);
        QCOMPARE(readBytes(folder.filePath(QStringLiteral("b.tni"))), other);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A picture beyond what Qt loads is told as too large where it would be shown: the designer's
    // background (whose path the layout keeps) and the photo preview.
    void pictureTooLarge()
    {
        TestFolder folder;
        const QString huge = folder.filePath(QStringLiteral("sfondo enorme.bmp"));
        QVERIFY(writeBytes(huge, hugeBitmapHeader()));
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[47][QStringLiteral("PercorsoImmagine")] = huge;
        SampleLayout::write(folder.database(), QStringLiteral("Layout8"), rows);
        PlaylistFile::write(folder.filePath(QStringLiteral("a.tni")), {huge});
        ModalDriver driver;
        QStringList said;

        driver.nextMessage(&said);
        Form1 designer(folder.store(), QStringLiteral("Layout8"));
        ApplyLayoutToDesigner(designer, std::nullopt);
        QCOMPARE(said.mid(0, 1), TooLarge);
        QVERIFY(designer.backgroundPicture().isNull());
        QCOMPARE(designer.backgroundPath(), huge);

        said.clear();
        driver.nextMessage(&said);
        ImpostaFoto window(folder.store());
        window.show();
        child<QListWidget>(window, QStringLiteral("List2"))->setCurrentRow(0);
        child<QPushButton>(window, QStringLiteral("PushButton2"))->click();
        QCOMPARE(said.mid(0, 1), TooLarge);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"

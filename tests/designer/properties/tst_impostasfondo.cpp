#include "designer/document/LayoutDocument.h"
#include "designer/properties/ImpostaSfondo.h"

#include "support/WindowTest.h"

#include <QDataStream>
#include <QFile>
#include <QImage>

#include "ui/FileListWidget.h"

namespace {

// A bitmap header that claims 12000 by 12000 pixels: too large to load, cheap to write.
void writeHugeBitmapHeader(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 pixelBytes = 12000u * 12000u * 3u;
    out.writeRawData("BM", 2);
    out << quint32(54 + pixelBytes) << quint32(0) << quint32(54);
    out << quint32(40) << qint32(12000) << qint32(12000) << quint16(1) << quint16(24) << quint32(0)
        << quint32(pixelBytes) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
}

void clickFile(ImpostaSfondo& window, const QString& name)
{
    auto* files = child<FileListWidget>(window, "File1");
    const int row = files->items().indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    const QModelIndex index = files->model()->index(row, 0);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(index).center());
}

} // namespace

class TestImpostaSfondo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_folder.filePath("sala.jpg")));
        QVERIFY(picture.scaled(40, 30).save(m_folder.filePath("Logo.BMP")));
        for (const char* name : {"finta.jpg", "note.txt"}) {
            QFile file(m_folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a picture at all") > 0);
        }
        writeHugeBitmapHeader(m_folder.filePath("enorme.bmp"));
    }

    void init() { m_document.load({}, 0, QStringLiteral("C:\\vecchio.jpg")); }

    // The pictures are listed whatever the case of their extension; a pick shows the picture at its size,
    // "Imposta" sets it and "Elimina" removes it, one command each.
    void pickShowsThePictureAndItsSize()
    {
        ImpostaSfondo window(m_document, m_folder.path());
        window.show();
        QCOMPARE(child<FileListWidget>(window, "File1")->items(),
                 QStringList({"enorme.bmp", "finta.jpg", "Logo.BMP", "sala.jpg"}));
        clickFile(window, "sala.jpg");
        QCOMPARE(child<QLineEdit>(window, "F1")->text(), QStringLiteral("800"));
        QCOMPARE(child<QLineEdit>(window, "F2")->text(), QStringLiteral("600"));
        QCOMPARE(child<QLabel>(window, "Image1")->size(), QSize(800, 600));

        child<QPushButton>(window, "PushButton1")->click();
        QCOMPARE(m_document.backgroundPicture(), std::optional(m_folder.filePath("sala.jpg")));
        child<QPushButton>(window, "PushButton3")->click();
        QCOMPARE(m_document.backgroundPicture(), std::optional(QString()));
        QCOMPARE(m_document.undoStack()->count(), 2);
    }

    // "Imposta" with nothing picked acts as "Elimina".
    void setWithNothingPickedRemoves()
    {
        ImpostaSfondo window(m_document, m_folder.path());
        child<QPushButton>(window, "PushButton1")->click();
        QCOMPARE(m_document.backgroundPicture(), std::optional(QString()));
    }

    // A file that gives no picture is told; the last good pick stays the one "Imposta" uses.
    void unusableFilesAreTold_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a picture") << "finta.jpg"
                                       << "Il file scelto non è un'immagine leggibile:";
        QTest::newRow("too large") << "enorme.bmp"
                                   << "L'immagine è troppo grande per essere caricata:";
    }
    void unusableFilesAreTold()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        ImpostaSfondo window(m_document, m_folder.path());
        window.show();
        clickFile(window, "Logo.BMP");
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        clickFile(window, file);
        QTRY_COMPARE(lines.value(0), message);
        QCOMPARE(lines.value(1), file);
        QCOMPARE(child<QLineEdit>(window, "F1")->text(), QStringLiteral("40"));
        QCOMPARE(window.pickedPath(), m_folder.filePath("Logo.BMP"));
        QCOMPARE(m_document.undoStack()->count(), 0);
    }

private:
    QTemporaryDir m_folder;
    LayoutDocument m_document;
};

QTEST_MAIN(TestImpostaSfondo)
#include "tst_impostasfondo.moc"

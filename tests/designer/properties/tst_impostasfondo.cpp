#include "designer/document/LayoutDocument.h"
#include "designer/properties/ImpostaSfondo.h"

#include "support/WindowTest.h"

#include <QImage>

#include "ui/FileListWidget.h"

namespace {

// A bitmap header that claims 12000 by 12000 pixels: too large to load, cheap to write.
const QByteArray HugeBitmapHeader = QByteArray::fromHex("424d36ccbf19000000003600000028000000e02e0000e02e00000100180000"
                                                        "00000000ccbf19130b0000130b00000000000000000000");

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
        for (const char* name : {"finta.jpg", "note.txt"})
            QVERIFY(writeBytes(m_folder.filePath(QLatin1String(name)), "not a picture at all"));
        QVERIFY(writeBytes(m_folder.filePath("enorme.bmp"), HugeBitmapHeader));
    }

    void init() { m_document.load({}, 0, QStringLiteral("C:\\vecchio.jpg")); }

    // The pictures are listed whatever the case of their extension; a pick shows the picture at its size,
    // "Imposta" sets it and "Elimina" removes it, one command each. "Imposta" with nothing picked acts
    // as "Elimina".
    void pickShowsThePictureAndItsSize()
    {
        ImpostaSfondo window(m_document, m_folder.path());
        window.show();
        child<QPushButton>(window, "PushButton1")->click();
        QCOMPARE(m_document.backgroundPicture(), std::optional(QString()));
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
        QCOMPARE(m_document.undoStack()->count(), 3);
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

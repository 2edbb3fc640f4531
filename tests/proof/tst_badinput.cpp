// Bad input through the real windows. Bad files are told in Italian or shown by a documented
// fallback, and what was stored before stays. Hostile text, in every window that takes text and has
// no such table of its own, is stored exactly as the window shows it, or refused with a message,
// never changed in silence.

#include "Find.h"
#include "HostileText.h"
#include "ModalDriver.h"
#include "core/FileBytes.h"
#include "core/SampleLayout.h"
#include "core/TestFolder.h"
#include "data/LayoutNames.h"
#include "data/LayoutTableReader.h"
#include "data/PlaylistFile.h"
#include "data/RegisterTable.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/Form1.h"
#include "designer/properties/Form2.h"
#include "designer/properties/ScriptedPropertyDialogs.h"
#include "library/SceltaLayout.h"
#include "playlists/ImpostaFoto.h"
#include "playlists/PlaylistFileName.h"
#include "playlists/SalvaNuovoIM.h"
#include "registers/GestioneRadio.h"
#include "registers/GestioneUtenti.h"
#include "ui/ScriptedFileDialogs.h"
#include "weather/Form3.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDataStream>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

// As an operator pastes: over whatever the field held.
void paste(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void click(const QWidget& window, const char* button)
{
    child<QPushButton>(window, QLatin1String(button))->click();
}

// A window that takes text: `run` opens it, pastes the text, confirms, and gives back the text if
// it is now stored as the window shows it (found, for a search), or else what is there instead.
// `done` is the window's message for a stored text, if it gives one.
struct Window {
    const char* name;
    QString done;
    std::function<QString(TestFolder&, const QString&)> run;
};

QString registerEntry(TestFolder& folder, RegisterKind kind, const QString& text)
{
    ScriptedFileDialogs dialogs;
    std::unique_ptr<RegisterWindow> window;
    if (kind == RegisterKind::Operators)
        window = std::make_unique<GestioneUtenti>(folder.store(), dialogs);
    else
        window = std::make_unique<GestioneRadio>(folder.store());
    window->show();
    click(*window, "ctButton2_3");
    paste(child<QLineEdit>(*window, QStringLiteral("Text1_0")), text);
    paste(child<QLineEdit>(*window, QStringLiteral("Text1_1")), QStringLiteral("segno"));
    click(*window, "CBT_1");
    const bool stored =
        RegisterTable(folder.store(), kind).list().contains(RegisterEntry{text, QStringLiteral("segno")});
    return stored ? text : QStringLiteral("<not stored>");
}

const QList<Window>& windows()
{
    static const QList<Window> all{
        {"chooser description", QStringLiteral("Salvataggio effettuato !"),
         [](TestFolder& folder, const QString& text) {
             SceltaLayout window(folder.store(), std::nullopt);
             window.show();
             paste(child<QLineEdit>(window, QStringLiteral("Text1_3")), text);
             click(window, "PB1_1");
             return LayoutNames(folder.store()).read().value(1).description;
         }},
        {"operators",
         {},
         [](TestFolder& f, const QString& text) { return registerEntry(f, RegisterKind::Operators, text); }},
        {"stations",
         {},
         [](TestFolder& f, const QString& text) { return registerEntry(f, RegisterKind::Stations, text); }},
        {"workstation caption", QStringLiteral("Memorizzazione effettuata !"),
         [](TestFolder& folder, const QString& text) {
             Form1 designer(folder.store(), QStringLiteral("Layout4"));
             ApplyLayoutToDesigner(designer, std::nullopt);
             designer.show();
             ScriptedPropertyDialogs dialogs;
             Form2 editor(designer.document(), dialogs);
             editor.presetElement(17);
             paste(child<QLineEdit>(editor, QStringLiteral("F1_0")), text);
             click(editor, "Btn_0");
             child<QAction>(*designer.menuForPress(Qt::RightButton), QStringLiteral("A99"))->trigger();
             for (const LayoutElement& row : LayoutTableReader(folder.store(), QStringLiteral("Layout4")).read()) {
                 if (row.testo == text)
                     return text;
             }
             return QStringLiteral("<not stored>");
         }},
        {"new playlist file",
         {},
         [](TestFolder& folder, const QString& text) {
             SalvaNuovoIM dialog(folder.store(), QStringLiteral("tni"), QStringLiteral("Foto"), {QStringLiteral("a")});
             dialog.show();
             auto* name = child<QLineEdit>(dialog, QStringLiteral("FE"));
             paste(name, text);
             click(dialog, "PushButton1");
             const QString file = PlaylistFileName::withExtension(name->text(), QStringLiteral(".tni"));
             return QFile::exists(folder.filePath(file)) ? text : QStringLiteral("<no file>");
         }},
        {"weather search",
         {},
         [](TestFolder& folder, const QString& text) {
             Form3 window(folder.store(), QStringLiteral("file:///nessun-servizio"));
             window.show();
             paste(child<QLineEdit>(window, QStringLiteral("Text4")), text);
             const int found = child<QTableView>(window, QStringLiteral("grid"))->model()->rowCount();
             return found == 0 ? text : QStringLiteral("%1 towns").arg(found);
         }},
    };
    return all;
}

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

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    // One folder for every text: each window stores its texts apart from the others'.
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        m_folder = std::make_unique<TestFolder>();
    }

    void cleanupTestCase() { m_folder.reset(); }

    void storedExactlyOrRefused_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("text");
        for (int window = 0; window < windows().size(); ++window) {
            for (const HostileText::Sample& sample : HostileText::samples())
                QTest::addRow("%s, %s", windows()[window].name, sample.name) << window << sample.text;
        }
    }

    void storedExactlyOrRefused()
    {
        QFETCH(int, window);
        QFETCH(QString, text);
        ModalDriver driver;
        QStringList said;
        driver.nextMessage(&said);

        const QString kept = windows()[window].run(*m_folder, text);

        if (kept != text) {
            QVERIFY2(!said.isEmpty() && said.join(QLatin1Char(' ')) != windows()[window].done,
                     qPrintable(QStringLiteral("changed in silence: ") + kept.left(100)));
            qInfo("refused: %s", qPrintable(said.join(QLatin1Char(' ')).left(200)));
        }
        QVERIFY(driver.unexpected().isEmpty());
    }

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

        click(window, "Command6");

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
        click(window, "PushButton2");
        QCOMPARE(said.mid(0, 1), TooLarge);
        QVERIFY(driver.unexpected().isEmpty());
    }

private:
    std::unique_ptr<TestFolder> m_folder;
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"

// Bad input through the real windows: a bad file is told in Italian or shown by a documented fallback
// and what was stored stays; hostile text, in each window that takes text and has no table of its own
// (the registers, the scrolling text, the weather search and the call time have), is stored exactly
// as the window shows it or refused with a message, never changed in silence.

#include "HostileText.h"
#include "data/LayoutNames.h"
#include "data/LayoutTableReader.h"
#include "data/PlaylistFile.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/Form1.h"
#include "designer/properties/Form2.h"
#include "designer/properties/ScriptedPropertyDialogs.h"
#include "library/SceltaLayout.h"
#include "playlists/ImpostaFoto.h"
#include "playlists/PlaylistFileName.h"
#include "playlists/SalvaNuovoIM.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <algorithm>
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

// A window that takes text: `run` opens it, pastes the text, confirms, and gives back the text if it
// is now stored as the window shows it, or else what is there. `done`: its message for a stored text.
struct Window {
    const char* name;
    QString done;
    std::function<QString(TestFolder&, const QString&)> run;
};

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
             const auto rows = LayoutTableReader(folder.store(), QStringLiteral("Layout4")).read();
             const bool stored =
                 std::any_of(rows.begin(), rows.end(), [&](const auto& row) { return row.testo == text; });
             return stored ? text : QStringLiteral("<not stored>");
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
    };
    return all;
}

// A bitmap header that claims 12000 by 12000 pixels: beyond Qt's allocation limit, cheap to write.
const QByteArray HugeBitmapHeader = QByteArray::fromHex("424d36ccbf19000000003600000028000000e02e0000e02e00000100180000"
                                                        "00000000ccbf19130b0000130b00000000000000000000");

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
            for (const auto& [name, text] : HostileText::samples())
                QTest::addRow("%s, %s", windows()[window].name, name) << window << text;
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
        QTest::newRow("a program") << readBytes(QCoreApplication::applicationFilePath()).left(300000);
        QTest::newRow("a line of 2 MB") << QByteArray(2 * 1024 * 1024, 'x') + "\r\nC:\\Foto\\b.jpg\r\n";
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
        QVERIFY(writeBytes(huge, HugeBitmapHeader));
        folder.database().execute("UPDATE Layout8 SET PercorsoImmagine = '" + huge + "' WHERE rowid = 48");
        PlaylistFile::write(folder.filePath(QStringLiteral("a.tni")), {huge});
        ModalDriver driver;
        QStringList said;

        driver.nextMessage(&said);
        Form1 designer(folder.store(), QStringLiteral("Layout8"));
        ApplyLayoutToDesigner(designer, std::nullopt);
        QCOMPARE(said.mid(0, 1), TooLarge);
        QVERIFY(designer.backgroundPicture().isNull());
        QCOMPARE(designer.backgroundPath(), huge);

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

#include "ClipFixture.h"
#include "data/PlaylistFile.h"
#include "playlists/AnteprimaImmagini.h"
#include "playlists/ImpostaFoto.h"
#include "playlists/ImpostaVideo.h"
#include "playlists/PictureBox.h"
#include "support/WindowTest.h"
#include "ui/FileListWidget.h"
#include "ui/VideoView.h"

#include <QMediaPlayer>
#include <QScreen>

class TestPreviews : public QObject
{
    Q_OBJECT

    static constexpr int WaitMs = 15000; // a guard against a hang, not a measure
    QTemporaryDir m_media;

    QString media(const QString& name) const { return QDir::toNativeSeparators(m_media.filePath(name)); }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        for (const auto& [name, size] :
             {std::pair{"small.jpg", QSize(200, 100)}, std::pair{"wide.jpg", QSize(6000, 1500)},
              std::pair{"tall.jpg", QSize(300, 3000)}}) {
            QImage picture(size, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            QVERIFY(picture.save(m_media.filePath(QLatin1String(name)), "JPG"));
        }
        QVERIFY(writeBytes(m_media.filePath("text.jpg"), "not a picture\n"));
        QVERIFY(writeBytes(m_media.filePath("clip.avi"), ClipFixture::mjpegClip(40, 160, 120, 10)));
        QVERIFY(writeBytes(m_media.filePath("text.avi"), QByteArray("not a video\n").repeated(50)));
        QVERIFY(QDir::setCurrent(m_media.path()));
    }

    // A picture larger than the room on screen is shown whole, in its proportions, also after the window is made
    // smaller; a small one at its own size. A file that is not a picture opens the window empty.
    void pictureShownWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("proportions"); // of the picture; empty when none is shown

        QTest::newRow("small") << "small.jpg" << QSize(200, 100);
        QTest::newRow("wider than the screen") << "wide.jpg" << QSize(4, 1);
        QTest::newRow("taller than the screen") << "tall.jpg" << QSize(1, 10);
        QTest::newRow("text named .jpg") << "text.jpg" << QSize();
    }

    void pictureShownWhole()
    {
        QFETCH(QString, name);
        QFETCH(QSize, proportions);
        AnteprimaImmagini window(media(name));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* image = child<PictureBox>(window, "Image1");

        QCOMPARE(image->picture().isNull(), proportions.isEmpty());
        const QSize room = window.screen()->availableSize();
        QVERIFY(window.width() <= room.width() && window.height() <= room.height());
        if (proportions.isEmpty()) {
            QVERIFY(image->pictureRect().isEmpty());
            return;
        }
        for (const QSize& size : {window.size(), QSize(150, 120)}) {
            window.resize(size);
            QTRY_COMPARE(image->size(), size);
            const QRect shown = image->pictureRect();
            QVERIFY(image->rect().contains(shown));
            QVERIFY(shown.width() == image->width() || shown.height() == image->height() ||
                    shown.size() == proportions);
            QVERIFY(qAbs(shown.width() * proportions.height() - shown.height() * proportions.width()) <=
                    qMax(proportions.width(), proportions.height()));
        }
    }

    // "Anteprima" under the file list shows the selected media file, the one under the playlist the selected entry,
    // each in the kind's preview window, which opens empty when the file cannot be shown. With nothing selected no
    // window opens.
    void previewButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("selected"); // a media file or an entry; empty selects nothing
        QTest::addColumn<bool>("shown");
        QTest::newRow("media file") << "PushButton1" << media("small.jpg") << true;
        QTest::newRow("media file not a picture") << "PushButton1" << media("text.jpg") << false;
        QTest::newRow("no media file selected") << "PushButton1" << QString() << false;
        QTest::newRow("entry") << "PushButton2" << media("wide.jpg") << true;
        QTest::newRow("entry of a Windows machine") << "PushButton2" << QString("C:\\Foto\\sala.jpg") << false;
        QTest::newRow("no entry selected") << "PushButton2" << QString() << false;
    }

    void previewButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, selected);
        TestFolder folder;
        PlaylistFile::write(folder.filePath("a.tni"), {media("small.jpg"), selected});
        ImpostaFoto window(folder.store());
        window.show();
        auto* files = child<FileListWidget>(window, "File1");
        files->setCurrentRow(-1);
        child<QListWidget>(window, "List2")->clearSelection();
        if (!selected.isEmpty() && button == "PushButton1")
            files->setCurrentRow(int(files->items().indexOf(QFileInfo(selected).fileName())));
        if (!selected.isEmpty() && button == "PushButton2")
            child<QListWidget>(window, "List2")->setCurrentRow(1);
        ModalDriver driver;
        QString opened;
        bool picture = false;
        if (!selected.isEmpty()) {
            driver.next([&](QWidget* preview) {
                opened = preview->objectName();
                picture = !child<PictureBox>(*preview, "Image1")->picture().isNull();
                preview->close();
            });
        }

        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);

        QCOMPARE(opened, selected.isEmpty() ? QString() : QStringLiteral("AnteprimaImmagini"));
        QTEST(picture, "shown");
        QCOMPARE(driver.pending(), 0);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // The video window plays the selected entry in its preview; closing the preview stops it. A file that cannot be
    // played opens the preview all the same, black, and closes without hanging.
    void clipPlaysUntilClosed_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("plays");

        QTest::newRow("clip") << media("clip.avi") << true;
        QTest::newRow("text named .avi") << media("text.avi") << false;
        QTest::newRow("missing") << media("missing.avi") << false;
    }

    void clipPlaysUntilClosed()
    {
        QFETCH(QString, entry);
        QFETCH(bool, plays);
        TestFolder folder;
        PlaylistFile::write(folder.filePath("a.tnv"), {entry});
        ImpostaVideo window(folder.store());
        window.show();
        ModalDriver driver(WaitMs * 2);
        QString opened;
        bool played = false;
        bool failed = false;
        QPointer<VideoView> view;
        driver.next([&](QWidget* preview) {
            opened = preview->objectName();
            view = child<VideoView>(*preview, "MP1");
            // What it settled on is checked below.
            static_cast<void>(
                QTest::qWaitFor([&] { return view->player()->position() > 0 || view->hasFailed(); }, WaitMs));
            played = view->player()->position() > 0;
            failed = view->hasFailed();
            preview->close();
            // Closed, not yet destroyed: the player has stopped.
            if (view && view->player()->playbackState() != QMediaPlayer::StoppedState)
                played = false;
        });

        QTest::mouseClick(child<QPushButton>(window, "PushButton2"), Qt::LeftButton);

        QCOMPARE(opened, QStringLiteral("AnteprimaVideo"));
        QCOMPARE(played, plays);
        QCOMPARE(failed, !plays);
        QVERIFY(!view); // discarded on closing
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestPreviews)
#include "tst_previews.moc"

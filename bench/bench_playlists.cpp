// Figures for large folders and playlists: listing ten thousand pictures, and saving and loading a
// playlist of ten thousand entries, by themselves and as the operator meets them in the photo window.
#include "BenchmarkMain.h"
#include "data/PlaylistFile.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "playlists/OpenPlaylists.h"
#include "ui/FileListWidget.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int Files = 10000;

// Ten thousand pictures, a tenth of them with upper-case extensions, and as many other files beside them
// for the pattern to pass over.
const QTemporaryDir& pictureFolder()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        for (int i = 0; i < Files; ++i) {
            const QString suffix = i % 10 == 0 ? QStringLiteral("JPG") : QStringLiteral("jpg");
            QFile(dir.filePath(QStringLiteral("foto %1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(suffix)))
                .open(QIODevice::WriteOnly);
            QFile(dir.filePath(QStringLiteral("nota %1.txt").arg(i))).open(QIODevice::WriteOnly);
        }
        return true;
    }();
    Q_UNUSED(filled);
    return dir;
}

QStringList entries()
{
    QStringList list;
    list.reserve(Files);
    for (int i = 0; i < Files; ++i)
        list.append(QStringLiteral("C:\\Immagini\\Sala d'attesa\\perché %1.jpg").arg(i));
    return list;
}

void BM_ListTenThousandPictures(benchmark::State& state)
{
    const QString folder = pictureFolder().path();
    FileListWidget list;
    list.setPattern(QStringLiteral("*.jpg;*.bmp"));
    list.resize(300, 400);
    list.show();
    for (auto _ : state) {
        list.setPath(folder);
        QCoreApplication::processEvents(); // the view lays out and paints what it shows
    }
    if (list.count() != Files)
        state.SkipWithError("wrong count");
    state.counters["files"] = list.count();
}
BENCHMARK(BM_ListTenThousandPictures)->Unit(benchmark::kMillisecond);

void BM_WritePlaylist(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.tni"));
    const QStringList list = entries();
    for (auto _ : state)
        PlaylistFile::write(path, list);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_WritePlaylist)->Unit(benchmark::kMillisecond);

void BM_ReadPlaylist(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.tni"));
    PlaylistFile::write(path, entries());
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaylistFile::read(path));
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_ReadPlaylist)->Unit(benchmark::kMillisecond);

// A program folder holding one playlist of ten thousand pictures, with the working folder on the ten thousand
// pictures: the photo window opens on both.
struct PhotoWindowBench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};

    PhotoWindowBench()
    {
        store.database();
        PlaylistFile::write(store.filePath(QStringLiteral("grande.tni")), entries());
        QDir::setCurrent(pictureFolder().path());
    }
};

PhotoWindowBench& photoWindowBench()
{
    static PhotoWindowBench instance;
    return instance;
}

template <typename Control> Control* control(QWidget* window, const char* name)
{
    return window->findChild<Control*>(QLatin1String(name));
}

// Opens the photo window from the entry the main menu uses and runs work on it once it is on screen.
void withPhotoWindow(const std::function<void(QWidget*)>& work)
{
    QTimer::singleShot(0, [&work] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        work(window);
        window->close();
    });
    OpenPhotoPlaylists(photoWindowBench().store, nullptr);
}

// Opening the window: the ten thousand pictures listed and the playlist of ten thousand loaded.
void BM_PhotoWindowOpen(benchmark::State& state)
{
    photoWindowBench();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        withPhotoWindow([&](QWidget*) {
            QCoreApplication::processEvents();
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        });
    }
}
BENCHMARK(BM_PhotoWindowOpen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// One click on each button, timed up to the next paint of the window; the list is emptied between clicks.
void clickTimed(benchmark::State& state, const char* button, bool emptyFirst)
{
    photoWindowBench();
    withPhotoWindow([&](QWidget* window) {
        auto* list = control<QListWidget>(window, "List2");
        for (auto _ : state) {
            if (emptyFirst)
                list->clear();
            QCoreApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            control<QPushButton>(window, button)->click();
            QCoreApplication::processEvents();
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        }
        state.counters["entries"] = list->count();
    });
}

// "&Inserisci tutte le immagini della lista" on ten thousand pictures.
void BM_PhotoWindowAddAll(benchmark::State& state)
{
    clickTimed(state, "Command10", true);
}
BENCHMARK(BM_PhotoWindowAddAll)->Unit(benchmark::kMillisecond)->UseManualTime();

// "&Salva" of the ten thousand entries loaded.
void BM_PhotoWindowSave(benchmark::State& state)
{
    clickTimed(state, "Command6", false);
}
BENCHMARK(BM_PhotoWindowSave)->Unit(benchmark::kMillisecond)->UseManualTime();

// A click on the playlist file in File2: the ten thousand entries read and shown again.
void BM_PhotoWindowLoad(benchmark::State& state)
{
    photoWindowBench();
    withPhotoWindow([&](QWidget* window) {
        auto* files = control<FileListWidget>(window, "File2");
        for (auto _ : state) {
            QElapsedTimer timer;
            timer.start();
            emit files->fileClicked(files->item(0)); // what a click on the file reports
            QCoreApplication::processEvents();
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        }
        state.counters["entries"] = control<QListWidget>(window, "List2")->count();
    });
}
BENCHMARK(BM_PhotoWindowLoad)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

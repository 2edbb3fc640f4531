// Figures for large folders and playlists: listing a folder of pictures, and saving and loading a
// playlist, by themselves and as the operator meets them in the photo window, each with 1,000 and
// with 10,000 pictures or entries (the cost should grow no faster than the count).
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
#include <map>
#include <memory>

namespace {

// `files` pictures, a tenth of them with upper-case extensions, and as many other files beside them for
// the pattern to pass over; made once per count.
const QTemporaryDir& pictureFolder(int files)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    std::unique_ptr<QTemporaryDir>& dir = folders[files];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < files; ++i) {
            const QString suffix = i % 10 == 0 ? QStringLiteral("JPG") : QStringLiteral("jpg");
            QFile(dir->filePath(QStringLiteral("foto %1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(suffix)))
                .open(QIODevice::WriteOnly);
            QFile(dir->filePath(QStringLiteral("nota %1.txt").arg(i))).open(QIODevice::WriteOnly);
        }
    }
    return *dir;
}

QStringList entries(int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("C:\\Immagini\\Sala d'attesa\\perché %1.jpg").arg(i));
    return list;
}

void BM_ListPictures(benchmark::State& state)
{
    const int files = static_cast<int>(state.range(0));
    const QString folder = pictureFolder(files).path();
    FileListWidget list;
    list.setPattern(QStringLiteral("*.jpg;*.bmp"));
    list.resize(300, 400);
    list.show();
    for (auto _ : state) {
        list.setPath(folder);
        QCoreApplication::processEvents(); // the view lays out and paints what it shows
    }
    if (list.count() != files)
        state.SkipWithError("wrong count");
    state.counters["files"] = list.count();
}
BENCHMARK(BM_ListPictures)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WritePlaylist(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.tni"));
    const QStringList list = entries(static_cast<int>(state.range(0)));
    for (auto _ : state)
        PlaylistFile::write(path, list);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_WritePlaylist)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadPlaylist(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.tni"));
    PlaylistFile::write(path, entries(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaylistFile::read(path));
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_ReadPlaylist)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A program folder holding one playlist of `count` pictures, with the working folder on as many pictures:
// the photo window opens on both.
struct PhotoWindowBench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};

    explicit PhotoWindowBench(int count)
    {
        store.database();
        PlaylistFile::write(store.filePath(QStringLiteral("grande.tni")), entries(count));
    }
};

PhotoWindowBench& photoWindowBench(int count)
{
    static std::map<int, std::unique_ptr<PhotoWindowBench>> benches;
    std::unique_ptr<PhotoWindowBench>& bench = benches[count];
    if (!bench)
        bench = std::make_unique<PhotoWindowBench>(count);
    QDir::setCurrent(pictureFolder(count).path());
    return *bench;
}

template <typename Control> Control* control(QWidget* window, const char* name)
{
    return window->findChild<Control*>(QLatin1String(name));
}

// Opens the photo window from the entry the main menu uses and runs work on it once it is on screen.
void withPhotoWindow(int count, const std::function<void(QWidget*)>& work)
{
    QTimer::singleShot(0, [&work] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        work(window);
        window->close();
    });
    OpenPhotoPlaylists(photoWindowBench(count).store, nullptr);
}

// Opening the window: the pictures listed and the playlist loaded.
void BM_PhotoWindowOpen(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    photoWindowBench(count);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        withPhotoWindow(count, [&](QWidget*) {
            QCoreApplication::processEvents();
            state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        });
    }
}
BENCHMARK(BM_PhotoWindowOpen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// One click on each button, timed up to the next paint of the window; the list is emptied between clicks.
void clickTimed(benchmark::State& state, const char* button, bool emptyFirst)
{
    const int count = static_cast<int>(state.range(0));
    withPhotoWindow(count, [&](QWidget* window) {
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

// "&Inserisci tutte le immagini della lista".
void BM_PhotoWindowAddAll(benchmark::State& state)
{
    clickTimed(state, "Command10", true);
}
BENCHMARK(BM_PhotoWindowAddAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

// "&Salva" of the entries loaded.
void BM_PhotoWindowSave(benchmark::State& state)
{
    clickTimed(state, "Command6", false);
}
BENCHMARK(BM_PhotoWindowSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

// A click on the playlist file in File2: the entries read and shown again.
void BM_PhotoWindowLoad(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    withPhotoWindow(count, [&](QWidget* window) {
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
BENCHMARK(BM_PhotoWindowLoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

// Figures for large folders and playlists: listing ten thousand pictures, and saving and loading a
// playlist of ten thousand entries.
#include "BenchmarkMain.h"
#include "data/PlaylistFile.h"
#include "ui/FileListWidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

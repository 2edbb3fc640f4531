// Loading a layout into the designer up to the moment it is shown, at 1920 x 1080, without a
// background picture and with a 3840 x 2160 one (PNG and JPEG); and the first paint of the canvas.

#include "BenchmarkMain.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/Form1.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString Table = QStringLiteral("Layout1");
constexpr int FullHd = 2; // the main menu's third resolution, 1920 x 1080

// A program folder with a fresh seeded database and the two pictures, for the whole run.
struct Workbench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};
    QString png;
    QString jpeg;

    Workbench()
    {
        store.database();
        // A photograph compresses poorly; a gradient under a fine pattern comes close enough.
        QImage picture(3840, 2160, QImage::Format_RGB32);
        QPainter painter(&picture);
        QLinearGradient sky(0, 0, 3840, 2160);
        sky.setColorAt(0, QColor(20, 60, 140));
        sky.setColorAt(1, QColor(230, 180, 90));
        painter.fillRect(picture.rect(), sky);
        for (int x = 0; x < 3840; x += 7)
            painter.fillRect(x, (x * 37) % 2160, 5, 300, QColor((x * 13) % 256, (x * 7) % 256, (x * 3) % 256, 90));
        painter.end();
        png = folder.filePath(QStringLiteral("sfondo.png"));
        jpeg = folder.filePath(QStringLiteral("sfondo.jpg"));
        picture.save(png);
        picture.save(jpeg, "JPEG", 90);
    }

    void useBackground(const QString& path)
    {
        RecordSet rows(store.database(), Table);
        for (int row = 1; row < 48; ++row)
            rows.moveNext();
        rows.edit();
        rows.setValue(QStringLiteral("PercorsoImmagine"), path.isEmpty() ? QVariant() : QVariant(path));
        rows.update();
    }
};

Workbench& workbench()
{
    static Workbench instance;
    return instance;
}

QString pictureFor(int kind)
{
    return kind == 0 ? QString() : kind == 1 ? workbench().png : workbench().jpeg;
}

void labelFor(benchmark::State& state)
{
    static const char* names[3] = {"no picture", "3840x2160 PNG", "3840x2160 JPEG"};
    state.SetLabel(names[state.range(0)]);
}

void BM_LoadLayoutIntoDesigner(benchmark::State& state)
{
    workbench().useBackground(pictureFor(static_cast<int>(state.range(0))));
    labelFor(state);
    for (auto _ : state) {
        Form1 designer(workbench().store, Table);
        ApplyLayoutToDesigner(designer, FullHd);
        benchmark::DoNotOptimize(designer.backgroundPicture().width());
    }
}
BENCHMARK(BM_LoadLayoutIntoDesigner)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_FirstPaintOfCanvas(benchmark::State& state)
{
    workbench().useBackground(pictureFor(static_cast<int>(state.range(0))));
    labelFor(state);
    Form1 designer(workbench().store, Table);
    ApplyLayoutToDesigner(designer, FullHd);
    for (auto _ : state)
        benchmark::DoNotOptimize(designer.canvas()->grab().width());
}
BENCHMARK(BM_FirstPaintOfCanvas)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

// Loading a layout into the designer up to the moment it is shown, at 1920 x 1080, without a
// background picture, with a 3840 x 2160 one (PNG and JPEG) and with JPEGs of 1920 x 1080 and
// 7680 x 4320 (sixteen times the pixels); the first paint of the canvas; the
// work of one mouse move during a drag through the real window (the engine's step, the outline
// layer's update and the repaint of what it crossed) over a 1,000-move drag, at 1:1 and with the
// whole display fitted into the window; undoing 1,000 steps; and one save of the fifty rows.

#include "BenchmarkMain.h"
#include "data/Database.h"
#include "data/LayoutTableWriter.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/Form1.h"
#include "designer/document/StoredElement.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

const QString Table = QStringLiteral("Layout1");
constexpr int FullHd = 2; // the main menu's third resolution, 1920 x 1080

// A program folder with a fresh seeded database and the two pictures, for the whole run.
struct Workbench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};
    QString png;
    QString jpeg;
    QString jpeg2k;
    QString jpeg8k;

    // A photograph compresses poorly; a gradient under a fine pattern comes close enough.
    static QImage picture(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        QPainter painter(&picture);
        QLinearGradient sky(0, 0, width, height);
        sky.setColorAt(0, QColor(20, 60, 140));
        sky.setColorAt(1, QColor(230, 180, 90));
        painter.fillRect(picture.rect(), sky);
        for (int x = 0; x < width; x += 7)
            painter.fillRect(x, (x * 37) % height, 5, height / 7,
                             QColor((x * 13) % 256, (x * 7) % 256, (x * 3) % 256, 90));
        return picture;
    }

    Workbench()
    {
        store.database();
        const QImage uhd = picture(3840, 2160);
        png = folder.filePath(QStringLiteral("sfondo.png"));
        jpeg = folder.filePath(QStringLiteral("sfondo.jpg"));
        uhd.save(png);
        uhd.save(jpeg, "JPEG", 90);
        jpeg2k = folder.filePath(QStringLiteral("sfondo2k.jpg"));
        jpeg8k = folder.filePath(QStringLiteral("sfondo8k.jpg"));
        picture(1920, 1080).save(jpeg2k, "JPEG", 90);
        picture(7680, 4320).save(jpeg8k, "JPEG", 90);
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
    const Workbench& bench = workbench();
    const QString paths[5] = {QString(), bench.png, bench.jpeg, bench.jpeg2k, bench.jpeg8k};
    return paths[kind];
}

void labelFor(benchmark::State& state)
{
    static const char* names[5] = {"no picture", "3840x2160 PNG", "3840x2160 JPEG", "1920x1080 JPEG", "7680x4320 JPEG"};
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
BENCHMARK(BM_LoadLayoutIntoDesigner)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_FirstPaintOfCanvas(benchmark::State& state)
{
    workbench().useBackground(pictureFor(static_cast<int>(state.range(0))));
    labelFor(state);
    Form1 designer(workbench().store, Table);
    ApplyLayoutToDesigner(designer, FullHd);
    for (auto _ : state)
        benchmark::DoNotOptimize(designer.canvas()->grab().width());
}
BENCHMARK(BM_FirstPaintOfCanvas)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

constexpr int Moves = 1000;
constexpr int Titolo = 40;

void send(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

// A 1,000-move drag of the title (520 x 40 pixels) around the middle of the visible canvas, away
// from the edges where a held drag scrolls, each move handled and painted before the next; the
// title goes back to its place between drags. The second argument 1 fits the display into the
// window first ("Adatta"), the picture scaled with it.
void BM_DragMoveThroughWindow(benchmark::State& state)
{
    workbench().useBackground(pictureFor(static_cast<int>(state.range(0))));
    labelFor(state);
    Form1 designer(workbench().store, Table);
    ApplyLayoutToDesigner(designer, FullHd);
    designer.document().undoStack()->setUndoLimit(16);
    const ElementGeometry start{1500, 1500, 7800, 600};
    designer.document().moveElement(Titolo, start);
    designer.show();
    QApplication::processEvents();
    if (state.range(1) == 1) {
        designer.findChild<QToolButton*>(QStringLiteral("Zoom_0"))->click();
        QApplication::processEvents();
        state.SetLabel(state.range(0) == 0 ? "no picture, fit zoom" : "3840x2160 PNG, fit zoom");
    }
    QWidget* title = designer.findChild<QWidget*>(QStringLiteral("Text9_0"));
    DesignerCanvas* canvas = designer.canvas();
    const QPoint grab = title->mapToGlobal(QPoint(20, 20));
    std::vector<QPoint> path;
    for (int move = 0; move < Moves; ++move) {
        const double angle = 6.2831853 * move / 250.0;
        path.push_back(designer.mapToGlobal(
            QPoint(static_cast<int>(360 + 150 * std::cos(angle)), static_cast<int>(260 + 120 * std::sin(angle)))));
    }

    for (auto _ : state) {
        state.PauseTiming();
        send(title, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        QApplication::processEvents();
        state.ResumeTiming();
        for (const QPoint& point : path) {
            send(canvas, QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton);
            QApplication::processEvents();
        }
        state.PauseTiming();
        send(canvas, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
        designer.document().moveElement(Titolo, start);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["per_move"] = benchmark::Counter(static_cast<double>(state.iterations()) * Moves,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DragMoveThroughWindow)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// Undoing 1,000 moves of the 48 elements one after another, the widgets following each step and
// the window painted once at the end; they are redone between runs.
void BM_UndoThousandSteps(benchmark::State& state)
{
    constexpr int Steps = 1000;
    workbench().useBackground(QString());
    Form1 designer(workbench().store, Table);
    ApplyLayoutToDesigner(designer, FullHd);
    designer.show();
    QApplication::processEvents();
    LayoutDocument& document = designer.document();
    for (int step = 0; step < Steps; ++step) {
        const float offset = static_cast<float>(15 * (step % 40 + 1));
        document.moveElement(step % LayoutDocument::ElementCount, {offset, offset, 1500.5f, 600});
    }
    QUndoStack* history = document.undoStack();
    for (auto _ : state) {
        while (history->canUndo())
            history->undo();
        QApplication::processEvents();
        state.PauseTiming();
        while (history->canRedo())
            history->redo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["steps"] = history->count();
    state.counters["per_step"] = benchmark::Counter(static_cast<double>(state.iterations()) * Steps,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoThousandSteps)->Unit(benchmark::kMillisecond);

// "Salva Impostazioni" without its message: the fifty rows in one transaction.
void BM_SaveLayout(benchmark::State& state)
{
    workbench().useBackground(QString());
    Form1 designer(workbench().store, Table);
    ApplyLayoutToDesigner(designer, FullHd);
    for (auto _ : state)
        LayoutTableWriter(workbench().store, Table).write(storedRows(designer.document(), designer.backgroundPath()));
}
BENCHMARK(BM_SaveLayout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

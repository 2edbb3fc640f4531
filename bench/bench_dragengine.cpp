// The engine's own work per mouse move during a drag: a 1,000-move drag of one element across a
// 1920 x 1080 canvas, moving it and sizing it by a corner, against a window that draws nothing. The
// outline's repaint belongs to the window and is measured with it.

#include "designer/document/LayoutDocument.h"
#include "designer/tools/CRect.h"
#include "designer/tools/DragHost.h"
#include "designer/tools/DragResizeEngine.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

constexpr int Moves = 1000;
constexpr int Titolo = 40;

class QuietHost : public DragHost
{
public:
    QPoint cursor;
    std::int64_t drawn = 0;

    QPoint clientToScreen(QPoint client) const override { return client + QPoint(108, 81); }
    QPoint screenToClient(QPoint screen) const override { return screen - QPoint(108, 81); }
    double twipsPerPixelX() const override { return 15.0; }
    double twipsPerPixelY() const override { return 15.0; }
    QPoint cursorPosition() const override { return cursor; }
    void captureMouse() override {}
    void releaseMouse() override {}
    void confineCursor(const QRect&) override {}
    void freeCursor() override {}
    QRect windowRect() const override { return {100, 50, 1936, 1119}; }
    void invertOutline(const CRect& screen) override { drawn += screen.Left() + screen.Bottom(); }
    void repaintNow() override {}
    void initHandle(int, QSizeF, Qt::CursorShape) override {}
    void moveHandle(int, QPointF place) override { drawn += static_cast<std::int64_t>(place.x()); }
    void setHandlesVisible(bool) override {}
};

// A wandering path over the whole window, some of it outside, as a hand would draw it.
std::vector<QPoint> path()
{
    std::vector<QPoint> points;
    for (int move = 0; move < Moves; ++move) {
        const double t = move / static_cast<double>(Moves);
        points.emplace_back(static_cast<int>(1100 + 1000 * std::sin(7 * t)),
                            static_cast<int>(600 + 620 * std::cos(5 * t)));
    }
    return points;
}

void BM_DragOfThousandMoves(benchmark::State& state)
{
    const bool sizing = state.range(0) == 1;
    const std::vector<QPoint> points = path();
    QuietHost host;
    LayoutDocument document;
    document.undoStack()->setUndoLimit(16);
    LayoutDocument::Elements elements{};
    elements[Titolo] = withGeometry(ElementData{}, {2887, 1500, 9000, 1200});
    document.load(elements, 0, std::nullopt);
    DragResizeEngine engine(host, document);
    engine.InitHandles();
    host.cursor = QPoint(400, 200);
    engine.DragBegin(Titolo);
    engine.mouseReleased(Qt::LeftButton);

    for (auto _ : state) {
        host.cursor = QPoint(400, 200);
        if (sizing)
            engine.handlePressed(4);
        else
            engine.DragBegin(Titolo);
        for (const QPoint& point : points) {
            host.cursor = point;
            engine.mouseMoved();
        }
        engine.mouseReleased(Qt::LeftButton);
        benchmark::DoNotOptimize(host.drawn);
    }
    state.SetLabel(sizing ? "sizing by a corner" : "moving");
    state.counters["per_move"] = benchmark::Counter(static_cast<double>(state.iterations()) * Moves,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_DragOfThousandMoves)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

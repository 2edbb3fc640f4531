// Copying a layout onto another and clearing a layout, each one transaction of fifty rows on a
// seeded database in a temporary program folder.

#include "BenchmarkMain.h"
#include "data/Database.h"
#include "data/LayoutTableCopy.h"
#include "data/Store.h"
#include "data/seed/Seed.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Workbench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};

    Workbench() { store.database(); }
};

Workbench& workbench()
{
    static Workbench instance;
    return instance;
}

void BM_CopyLayout(benchmark::State& state)
{
    workbench();
    // Alternate the source so that every copy really changes the target's rows.
    bool fromBase = true;
    for (auto _ : state) {
        LayoutTableCopy(workbench().store).copy(fromBase ? 0 : 1, 4);
        fromBase = !fromBase;
    }
}
BENCHMARK(BM_CopyLayout)->Unit(benchmark::kMillisecond);

void BM_ClearLayout(benchmark::State& state)
{
    workbench();
    for (auto _ : state)
        LayoutTableCopy(workbench().store).clear(6);
}
BENCHMARK(BM_ClearLayout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}

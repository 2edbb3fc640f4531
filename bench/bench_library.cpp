// Copying a layout onto another and clearing a layout, each one transaction of fifty rows on a
// seeded database in a temporary program folder.

#include "BenchmarkMain.h"
#include "library/model/LayoutTableCopy.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Workbench {
    QTemporaryDir folder;

    Workbench()
    {
        AppFolder = folder.path();
        Database::current();
    }
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
        LayoutTableCopy::copy(fromBase ? 0 : 1, 4);
        fromBase = !fromBase;
    }
}
BENCHMARK(BM_CopyLayout)->Unit(benchmark::kMillisecond);

void BM_ClearLayout(benchmark::State& state)
{
    workbench();
    for (auto _ : state)
        LayoutTableCopy::clear(6);
}
BENCHMARK(BM_ClearLayout)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}

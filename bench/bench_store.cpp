// Figures for the settings store: creating and seeding a new database, opening the database and
// reading the configuration record,
// saving the fifty rows of a layout with and without one transaction, and the prefix search of
// the weather window over the full list of Italian towns.
#include "data/Database.h"
#include "data/JetValue.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/seed/Seed.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// One seeded database per figure, in a folder that lives as long as the program.
QString seededFolder()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    Database created(folders.back()->path(), &Seed::populate);
    return folders.back()->path();
}

void openAndReadConfiguration(benchmark::State& state)
{
    const QString folder = seededFolder();
    for (auto _ : state) {
        Database database(folder);
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        benchmark::DoNotOptimize(configuration.value(QStringLiteral("MisuraFormWH")));
    }
}
BENCHMARK(openAndReadConfiguration)->Unit(benchmark::kMillisecond);

// The first start's share: the database created whole with its content (eleven layouts, every town,
// the chime) in a new folder.
void createSeededDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        state.ResumeTiming();
        Database created(folder.path(), &Seed::populate);
        benchmark::DoNotOptimize(created.wasCreated());
    }
}
BENCHMARK(createSeededDatabase)->Unit(benchmark::kMillisecond);

// Writes every column of the fifty rows, as a copy onto a layout does; `step` varies the positions
// so that each pass really changes the rows.
void writeLayout(Database& database, int step)
{
    const QStringList& columns = LayoutRecords::columns();
    RecordSet layout(database, QStringLiteral("Layout3"));
    QVector<QVariantList> rows;
    for (; !layout.eof(); layout.moveNext()) {
        QVariantList row;
        for (const QString& column : columns)
            row.append(layout.value(column));
        rows.append(row);
    }
    RecordSet target(database, QStringLiteral("Layout3"));
    for (QVariantList& row : rows) {
        row[1] = JetValue::single(static_cast<double>(step % 100) * 15.0);
        target.edit();
        for (qsizetype c = 0; c < columns.size(); ++c)
            target.setValue(columns.at(c), row.at(c));
        target.update();
        target.moveNext();
    }
}

void writeLayoutInOneTransaction(benchmark::State& state)
{
    Database database(seededFolder());
    int step = 0;
    for (auto _ : state) {
        Transaction transaction(database);
        writeLayout(database, ++step);
        transaction.commit();
    }
    state.SetItemsProcessed(state.iterations() * LayoutRecords::RowCount);
}
BENCHMARK(writeLayoutInOneTransaction)->Unit(benchmark::kMillisecond);

void writeLayoutRowByRow(benchmark::State& state)
{
    Database database(seededFolder());
    int step = 0;
    for (auto _ : state)
        writeLayout(database, ++step);
    state.SetItemsProcessed(state.iterations() * LayoutRecords::RowCount);
}
BENCHMARK(writeLayoutRowByRow)->Unit(benchmark::kMillisecond);

void prefixSearchOverAllTowns(benchmark::State& state)
{
    // A new database holds every town of the shipped list.
    Database database(seededFolder());
    const int all = RecordSet(database, QStringLiteral("ComuniMeteo")).count();
    int found = 0;
    for (auto _ : state) {
        RecordSet towns(database,
                        QStringLiteral("select * from ComuniMeteo where [Comune] like'San*' order by [comune]"));
        found = towns.count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["towns"] = all;
    state.counters["found"] = found;
}
BENCHMARK(prefixSearchOverAllTowns)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Figures for the registers and the weather window: find-as-you-type over 1,000 towns and over the
// full list, from the keystroke to the grid painted with the new rows; opening the weather window on
// each; the town query alone; opening the operators' window on 1,000 and on 10,000 operators; and
// one duplicate check among 10,000.
#include "BenchmarkMain.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/RegisterTable.h"
#include "data/Store.h"
#include "data/WeatherTowns.h"
#include "data/seed/Seed.h"
#include "registers/GestioneUtenti.h"
#include "ui/FileDialogs.h"
#include "weather/ForecastBox.h"
#include "weather/Form3.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr int Operators = 10000;
constexpr int AllTowns = 0;

// A seeded program folder with `operators` operators and the first `towns` towns (AllTowns: every one).
struct Workbench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};

    Workbench(int operatorCount, int towns)
    {
        Database& database = store.database();
        Transaction transaction(database);
        if (towns != AllTowns)
            // Every eighth town first, so that the sample spans the alphabet as the full list does.
            database.execute(QStringLiteral("DELETE FROM ComuniMeteo WHERE rowid NOT IN (SELECT rowid FROM "
                                            "ComuniMeteo ORDER BY rowid % 8, rowid LIMIT %1)")
                                 .arg(towns));
        RecordSet operators(database, QStringLiteral("utenti"));
        for (int number = 0; number < operatorCount; ++number) {
            operators.addNew();
            operators.setValue(QStringLiteral("nominativo"),
                               QStringLiteral("Operatore %1").arg(number, 5, 10, QLatin1Char('0')));
            operators.setValue(QStringLiteral("percorsofoto"), QStringLiteral("C:\\Foto\\operatore%1.jpg").arg(number));
            operators.update();
        }
        transaction.commit();
    }
};

Workbench& workbench(int operators = Operators, int towns = AllTowns)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Workbench>> benches;
    std::unique_ptr<Workbench>& bench = benches[{operators, towns}];
    if (!bench)
        bench = std::make_unique<Workbench>(operators, towns);
    return *bench;
}

void labelTowns(benchmark::State& state, int towns)
{
    state.SetLabel(towns == AllTowns ? "every town" : QByteArray::number(towns).append(" towns").toStdString());
}

const QString Typed = QStringLiteral("san");

// The weather window as the operator sees it, then one more letter typed into the search box with
// the grid painted at once. The box holds the letters before it when the clock starts.
void BM_FindAsYouType(benchmark::State& state)
{
    const int letters = static_cast<int>(state.range(0));
    const int towns = static_cast<int>(state.range(1));
    labelTowns(state, towns);
    Form3 window(workbench(0, towns).store, QString::fromLatin1(ForecastBox::ServiceBase));
    window.show();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("Text4"));
    auto* grid = window.findChild<QTableView*>(QStringLiteral("grid"));
    const QString before = Typed.left(letters - 1);
    const QString letter = Typed.mid(letters - 1, 1);
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        search->setText(before);
        QApplication::processEvents();
        state.ResumeTiming();
        search->insert(letter);
        QApplication::sendPostedEvents();
        grid->viewport()->repaint();
        rows = grid->model()->rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_FindAsYouType)->ArgsProduct({{1, 2, 3}, {1000, AllTowns}})->Unit(benchmark::kMillisecond);

// From the menu's click to the window painted with its grid; closing is not timed.
template <typename MakeWindow> void timeOpenings(benchmark::State& state, MakeWindow makeWindow)
{
    for (auto _ : state) {
        const auto window = makeWindow();
        window->show();
        QApplication::sendPostedEvents();
        window->repaint();
        state.PauseTiming();
        window->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// From the menu's click to the weather window painted with its town grid.
void BM_OpenWeather(benchmark::State& state)
{
    const int towns = static_cast<int>(state.range(0));
    labelTowns(state, towns);
    Store& store = workbench(0, towns).store;
    timeOpenings(state,
                 [&store] { return std::make_unique<Form3>(store, QString::fromLatin1(ForecastBox::ServiceBase)); });
}
BENCHMARK(BM_OpenWeather)->Arg(1000)->Arg(AllTowns)->Unit(benchmark::kMillisecond);

// A keystroke answered by the store instead of from memory: the LIKE query and the rows read.
void BM_TownQuery(benchmark::State& state)
{
    const QString typed = Typed.left(static_cast<int>(state.range(0)));
    workbench();
    int rows = 0;
    for (auto _ : state) {
        rows = static_cast<int>(WeatherTowns(workbench().store).startingWith(typed).size());
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_TownQuery)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// From the menu's click to the window painted with its grid.
void BM_OpenOperators(benchmark::State& state)
{
    Store& store = workbench(static_cast<int>(state.range(0))).store;
    SystemFileDialogs dialogs;
    timeOpenings(state, [&store, &dialogs] { return std::make_unique<GestioneUtenti>(store, dialogs); });
}
BENCHMARK(BM_OpenOperators)->Arg(1000)->Arg(Operators)->Unit(benchmark::kMillisecond);

// The store's part of opening: the list query over 10,000 operators, in name order.
void BM_ListOperators(benchmark::State& state)
{
    const RegisterTable table(workbench(static_cast<int>(state.range(0))).store, RegisterKind::Operators);
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.list());
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListOperators)->Arg(1000)->Arg(Operators)->Unit(benchmark::kMillisecond);

// "&Conferma"'s check of a new name: a hit near the end of the list, and a miss.
void BM_DuplicateCheck(benchmark::State& state)
{
    const RegisterTable table(workbench().store, RegisterKind::Operators);
    const QString name = state.range(0) ? QStringLiteral("operatore 09999") : QStringLiteral("Operatore nuovo");
    bool found = false;
    for (auto _ : state) {
        found = table.isDuplicate(name);
        // The store closes its file once the event is over: each check opens it again, as in the window.
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_DuplicateCheck)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}

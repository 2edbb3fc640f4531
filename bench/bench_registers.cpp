// Figures for the registers and the weather window: find-as-you-type over every town, from the
// keystroke to the grid painted with the new rows; the town query alone; opening the operators'
// window on 10,000 operators; and one duplicate check among them.
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

namespace {

constexpr int Operators = 10000;

struct Workbench {
    QTemporaryDir folder;
    Store store{folder.path(), &Seed::populate};

    Workbench()
    {
        Database& database = store.database();
        Transaction transaction(database);
        RecordSet operators(database, QStringLiteral("utenti"));
        for (int number = 0; number < Operators; ++number) {
            operators.addNew();
            operators.setValue(QStringLiteral("nominativo"),
                               QStringLiteral("Operatore %1").arg(number, 5, 10, QLatin1Char('0')));
            operators.setValue(QStringLiteral("percorsofoto"), QStringLiteral("C:\\Foto\\operatore%1.jpg").arg(number));
            operators.update();
        }
        transaction.commit();
    }
};

Workbench& workbench()
{
    static Workbench instance;
    return instance;
}

const QString Typed = QStringLiteral("san");

// The weather window as the operator sees it, then one more letter typed into the search box with
// the grid painted at once. The box holds the letters before it when the clock starts.
void BM_FindAsYouType(benchmark::State& state)
{
    const int letters = static_cast<int>(state.range(0));
    Form3 window(workbench().store, QString::fromLatin1(ForecastBox::ServiceBase));
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
BENCHMARK(BM_FindAsYouType)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

// A keystroke answered by the store instead of from memory: the LIKE query and the rows read.
void BM_TownQuery(benchmark::State& state)
{
    const QString typed = Typed.left(static_cast<int>(state.range(0)));
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
    workbench();
    SystemFileDialogs dialogs;
    for (auto _ : state) {
        GestioneUtenti window(workbench().store, dialogs);
        window.show();
        QApplication::sendPostedEvents();
        window.repaint();
        state.PauseTiming();
        window.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOperators)->Unit(benchmark::kMillisecond);

// The store's part of opening: the list query over 10,000 operators, in name order.
void BM_ListOperators(benchmark::State& state)
{
    const RegisterTable table(workbench().store, RegisterKind::Operators);
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.list());
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListOperators)->Unit(benchmark::kMillisecond);

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

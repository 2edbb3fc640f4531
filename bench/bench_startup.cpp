// Figures for starting the program: the time from starting the process to the main menu painted, on
// the first start (the database created and seeded) and on later ones, and the resident memory then
// and with the designer open at 1920 x 1080. Each start is a fresh process, so the time includes
// loading the program and its libraries.
//   bench_startup [starts]        (default 5 of each kind)
#include "ProcessMemory.h"
#include "app/Application.h"
#include "app/StartUp.h"
#include "data/Store.h"
#include "designer/OpenDesigner.h"
#include "ui/MediaPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QVector>
#include <algorithm>
#include <cstdio>

namespace {

// Resolution button 2 of the main menu: 1920 x 1080.
constexpr int FullHd = 2;

// Child: the program's own start, then the menu's first paint reported with the memory in use, then
// Layout1 in the designer, then the end.
class MenuWatch : public QObject
{
public:
    explicit MenuWatch(StartUp& startUp)
        : m_startUp(startUp)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->inherits("SplasModule")) {
            m_seen = true;
            std::printf("menu %ld\n", residentKilobytes());
            std::fflush(stdout);
            QTimer::singleShot(0, this, [this] { openDesigner(); });
        }
        return false;
    }

private:
    void openDesigner()
    {
        QTimer::singleShot(0, this, [] {
            QWidget* designer = QApplication::activeModalWidget();
            QApplication::processEvents();
            std::printf("designer %ld\n", residentKilobytes());
            std::fflush(stdout);
            if (auto* dialog = qobject_cast<QDialog*>(designer))
                dialog->reject();
            else if (designer)
                designer->close();
        });
        OpenDesigner(*m_startUp.store(), QStringLiteral("Layout1"), FullHd);
        QCoreApplication::exit(0);
    }

    StartUp& m_startUp;
    bool m_seen = false;
};

int child(int argc, char** argv, const QString& folder)
{
    prepareMediaPlatform();
    Application application(argc, argv);
    StartUp startUp(folder, folder + QStringLiteral("/macchina.lock"));
    MenuWatch watch(startUp);
    application.installEventFilter(&watch);
    return startUp.run();
}

struct Start {
    double milliseconds = 0;
    long menuKilobytes = 0;
    long designerKilobytes = 0;
};

Start startOnce(const QString& program, const QString& folder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({QStringLiteral("--child"), folder});
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Start start;
    QElapsedTimer timer;
    timer.start();
    process.start();
    while (process.state() != QProcess::NotRunning || process.canReadLine()) {
        if (!process.canReadLine() && !process.waitForReadyRead(30000) && !process.canReadLine())
            break;
        while (process.canReadLine()) {
            const QList<QByteArray> words = process.readLine().trimmed().split(' ');
            if (words.value(0) == "menu") {
                start.milliseconds = double(timer.nsecsElapsed()) / 1e6;
                start.menuKilobytes = words.value(1).toLong();
            } else if (words.value(0) == "designer") {
                start.designerKilobytes = words.value(1).toLong();
            }
        }
    }
    process.waitForFinished(30000);
    return start;
}

void report(QTextStream& out, const char* what, QVector<Start> starts)
{
    std::sort(starts.begin(), starts.end(),
              [](const Start& a, const Start& b) { return a.milliseconds < b.milliseconds; });
    const Start& median = starts.at(starts.size() / 2);
    out << what << ": to the menu painted " << qRound(median.milliseconds) << " ms median ("
        << qRound(starts.first().milliseconds) << " .. " << qRound(starts.last().milliseconds) << " ms over "
        << starts.size() << " starts); memory " << median.menuKilobytes / 1024 << " MB at the menu, "
        << median.designerKilobytes / 1024 << " MB with the designer open at 1920 x 1080\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    const QString program = QCoreApplication::applicationFilePath();
    QVector<Start> first;
    QVector<Start> later;
    QTemporaryDir kept;
    startOnce(program, kept.path()); // seeds the folder the later starts open
    for (int run = 0; run < count; ++run) {
        QTemporaryDir fresh;
        first.append(startOnce(program, fresh.path()));
        later.append(startOnce(program, kept.path()));
    }
    QTextStream out(stdout);
    report(out, "First start (database created)", first);
    report(out, "Later start", later);
    return 0;
}

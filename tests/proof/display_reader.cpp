// Stands in for the display program: with a read-only connection of its own, opened afresh each
// round and waiting on a busy file as ours does (whichever program opens the file first rebuilds its
// index, and the other must wait), reads the configuration record and every layout table, over and
// over, until the file "fine" appears in FOLDER. Prints "pronto" after the first round, a line for
// every fault (an error, a layout that mixes two saves), at the end the rounds and the saves seen.

#include "LayoutMark.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int, char* argv[])
{
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("TN2.db")));
    std::setvbuf(stdout, nullptr, _IONBF, 0); // the test waits for "pronto"
    QSet<double> seen;
    int faults = 0;
    int rounds = 0;
    const auto report = [&faults](const QString& fault) {
        std::printf("%s\n", qPrintable(fault));
        ++faults;
    };
    for (; !folder.exists(QStringLiteral("fine")); ++rounds) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr); // a failure shows in the reads
        // A loaded test machine can hold the other side longer than a display would meet.
        sqlite3_busy_timeout(db, 10000);
        char* error = nullptr;
        if (sqlite3_exec(db, "SELECT * FROM Configurazione", nullptr, nullptr, &error) != SQLITE_OK)
            report(QStringLiteral("Configurazione: ") + QString::fromUtf8(error));
        sqlite3_free(error);
        for (int number = 0; number <= 10; ++number) {
            if (const QString fault = LayoutMark::fault(db, LayoutTableName(number), &seen); !fault.isEmpty())
                report(fault);
        }
        sqlite3_close(db);
        if (rounds == 0)
            std::puts("pronto");
    }
    std::printf("%d rounds, %lld saves seen\n", rounds, static_cast<long long>(seen.size()));
    return faults == 0 ? 0 : 1;
}

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "ui/MediaPlatform.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    if (CommandLine::wanted(arguments)) {
        // No window and no display: a scheduled backup runs where no one is logged in.
        QCoreApplication application(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CommandLine::run(QCoreApplication::arguments().mid(1), StartUp::programFolder(),
                                SingleInstanceGuard::defaultMachineLockPath(), out, err);
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a screen Qt aborts inside the application object; say plainly why instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !arguments.contains(QLatin1String("-platform"))) {
        QTextStream(stderr) << QStringLiteral("Nessuno schermo disponibile: il programma va avviato in una sessione "
                                              "grafica. La copia delle impostazioni funziona anche senza: "
                                              "tn2-impostazione --backup FILE\n");
        return 1;
    }
#endif
    prepareMediaPlatform(); // before the application object: the media engine and GL sharing are chosen then
    Application application(argc, argv);
    StartUp startUp;
    return startUp.run();
}

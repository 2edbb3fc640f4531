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
    prepareMediaPlatform(); // before the application object: the media engine and GL sharing are chosen then
    Application application(argc, argv);
    StartUp startUp;
    return startUp.run();
}

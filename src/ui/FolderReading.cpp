#include "ui/FolderReading.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

QString folderReadProblem(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("La cartella \"%1\" non esiste o non è disponibile: se si trova su un disco "
                              "rimovibile o in rete, verificare che sia collegato.")
            .arg(shown);
    if (!info.isDir())
        return QStringLiteral("\"%1\" non è una cartella.").arg(shown);
    bool readable = info.isReadable();
#ifndef Q_OS_WIN
    readable = readable && info.isExecutable(); // listed and entered: both are needed
#endif
    if (!readable)
        return QStringLiteral("La cartella \"%1\" non può essere letta: accesso negato.").arg(shown);
    return {};
}

QString nativeFolderPath(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

std::optional<QString> SystemFileDialogs::openFileName(QWidget* parent, const QStringList& filters)
{
    const QString filter = filters.join(QStringLiteral(";;"));
    QString selected = filters.value(0);
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter, &selected);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<QString> SystemFileDialogs::existingFolder(QWidget* parent, const QString& title,
                                                         const QString& startFolder)
{
    const QString path = QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<QString> SystemFileDialogs::saveFileName(QWidget* parent, const QString& caption,
                                                       const QString& suggested, const QStringList& filters)
{
    QString selected = filters.value(0);
    const QString path =
        QFileDialog::getSaveFileName(parent, caption, suggested, filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

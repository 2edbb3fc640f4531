#include "ui/ArchiveDialogs.h"

#include <QDir>
#include <QFileDialog>

std::optional<QString> SystemArchiveDialogs::saveFileName(QWidget* parent, const QString& caption,
                                                          const QString& suggested, const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

std::optional<QString> SystemArchiveDialogs::openFileName(QWidget* parent, const QString& caption,
                                                          const QString& folder, const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent, caption, folder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

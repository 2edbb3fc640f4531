#pragma once

#include <QString>
#include <optional>

class QWidget;

// The file dialogs behind the backup, restore, export and import commands: choose where to write
// a file, or which file to read; none when the operator cancels. The program uses the system's
// dialogs; tests script the answers.
class ArchiveDialogs
{
public:
    virtual ~ArchiveDialogs() = default;

    // `suggested` is the path the dialog starts on; `filter` in Qt's form ("Copia (*.zip)").
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                                const QString& filter) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                                const QString& filter) = 0;
};

// The system's file dialogs.
class SystemArchiveDialogs : public ArchiveDialogs
{
public:
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filter) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter) override;
};

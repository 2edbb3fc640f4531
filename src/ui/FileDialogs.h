#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The file dialogs as a window sees them: ask for one existing file or folder, or for the place of a
// file to write; get its path or nothing when the operator cancels. The program uses the system's
// dialogs; tests script the answers.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // `filters` in Qt's form ("File Immagine (*.jpg)"), the first one preselected; no starting
    // folder is set. The chosen file's path with the platform's separators, or none when cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QStringList& filters) = 0;

    // Folders only, titled `title`, starting at `startFolder`. The chosen folder's path with the
    // platform's separators and no trailing one unless it is a root ("C:\", "/"), or none when
    // cancelled.
    virtual std::optional<QString> existingFolder(QWidget* parent, const QString& title,
                                                  const QString& startFolder) = 0;

    // The save dialog with `caption`, starting on the path `suggested`; an existing file is
    // confirmed by the dialog before it is chosen.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                                const QStringList& filters) = 0;
};

// The system's dialogs.
class SystemFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFileName(QWidget* parent, const QStringList& filters) override;
    std::optional<QString> existingFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QStringList& filters) override;
};

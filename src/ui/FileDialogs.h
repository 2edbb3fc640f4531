#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The file-open dialog as a window sees it: ask for one existing file, get its path or nothing
// when the operator cancels. The program uses the system's dialog; tests script the answers.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // `filters` in Qt's form ("File Immagine (*.jpg)"), the first one preselected; no starting
    // folder is set. The chosen file's path with the platform's separators, or none when cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QStringList& filters) = 0;
};

// The system's file-open dialog.
class SystemFileDialogs : public FileDialogs
{
public:
    std::optional<QString> openFileName(QWidget* parent, const QStringList& filters) override;
};

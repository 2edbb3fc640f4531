#pragma once

#include <QObject>
#include <QString>

class DriveComboBox;
class FolderListWidget;
class FileListWidget;

// Links a drive, a folder and a file list the way the windows use them: choosing a drive opens its root in
// the folder list, a new current folder is listed in the file list (with the file list's pattern) and
// selects its drive. The lists stay where the window placed them; this only wires them.
class FileLists : public QObject
{
    Q_OBJECT

public:
    FileLists(DriveComboBox* drives, FolderListWidget* folders, FileListWidget* files, QObject* parent = nullptr);

    // Points all three lists at folder (the windows start at the working folder).
    bool setPath(const QString& folder);

signals:
    // Any of the three could not read its drive or folder; each list stays as it was.
    void readFailed(const QString& message);

private:
    DriveComboBox* m_drives;
    FolderListWidget* m_folders;
    FileListWidget* m_files;
};

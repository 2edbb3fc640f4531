#include "ui/FileLists.h"

#include "ui/DriveComboBox.h"
#include "ui/FileListWidget.h"
#include "ui/FolderListWidget.h"

FileLists::FileLists(DriveComboBox* drives, FolderListWidget* folders, FileListWidget* files, QObject* parent)
    : QObject(parent)
    , m_drives(drives)
    , m_folders(folders)
    , m_files(files)
{
    connect(drives, &DriveComboBox::driveChanged, this, [this](const QString& root) {
        if (!m_folders->setPath(root))
            m_drives->setDrive(m_folders->path());
    });
    connect(folders, &FolderListWidget::pathChanged, this, [this](const QString& folder) {
        m_files->setPath(folder);
        m_drives->setDrive(folder);
    });
    connect(drives, &DriveComboBox::readFailed, this, &FileLists::readFailed);
    connect(folders, &FolderListWidget::readFailed, this, &FileLists::readFailed);
    connect(files, &FileListWidget::readFailed, this, &FileLists::readFailed);
}

bool FileLists::setPath(const QString& folder)
{
    if (!m_folders->setPath(folder))
        return false;
    // When the folder was already current no pathChanged came: the other two follow all the same.
    if (m_files->path() != m_folders->path())
        m_files->setPath(m_folders->path());
    m_drives->setDrive(m_folders->path());
    return true;
}

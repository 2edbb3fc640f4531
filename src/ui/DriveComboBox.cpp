#include "ui/DriveComboBox.h"

#include "ui/FolderReading.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

QString rootOf(const QStorageInfo& volume)
{
    return nativeFolderPath(volume.rootPath());
}

} // namespace

DriveComboBox::DriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveComboBox::choose);
    refresh();
}

void DriveComboBox::refresh()
{
    const QString current = drive();
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath().compare(b.rootPath(), Qt::CaseInsensitive) < 0;
    });
    QSignalBlocker quiet(this);
    clear();
    for (const QStorageInfo& volume : volumes) {
        // A bind-mounted file (as containers have) is a volume too, but no drive.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        const QString root = rootOf(volume);
        const QString name = volume.name();
        addItem(name.isEmpty() ? root : QStringLiteral("%1 [%2]").arg(root, name), root);
    }
    m_chosen = -1;
    if (!current.isEmpty())
        setDrive(current);
}

QString DriveComboBox::drive() const
{
    return currentIndex() >= 0 ? currentData().toString() : QString();
}

bool DriveComboBox::setDrive(const QString& path)
{
    const QStorageInfo volume(path);
    if (!volume.isValid())
        return false;
    const int index = findData(rootOf(volume));
    if (index < 0)
        return false;
    QSignalBlocker quiet(this);
    setCurrentIndex(index);
    m_chosen = index;
    return true;
}

void DriveComboBox::choose(int index)
{
    const QString root = itemData(index).toString();
    QString problem;
    const QStorageInfo volume(root);
    if (!volume.isValid() || !volume.isReady())
        problem = QStringLiteral("L'unità \"%1\" non è pronta: se è un disco rimovibile o in rete, verificare che "
                                 "sia collegato.")
                      .arg(root);
    else
        problem = folderReadProblem(root);
    if (!problem.isEmpty()) {
        {
            QSignalBlocker quiet(this);
            setCurrentIndex(m_chosen);
        }
        emit readFailed(problem);
        return;
    }
    m_chosen = index;
    emit driveChanged(root);
}

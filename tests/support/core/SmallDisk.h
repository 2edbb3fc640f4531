#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QString>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

// A small file system (tmpfs) of `kilobytes` mounted on `path` while it lives, where the machine
// lets a test make one: root on Linux. Tests skip when mounted() is false.
class SmallDisk
{
public:
    SmallDisk(const QString& path, [[maybe_unused]] int kilobytes)
        : m_path(path)
    {
#ifdef Q_OS_LINUX
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = ::geteuid() == 0 &&
                    ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) == 0;
#endif
    }
    ~SmallDisk()
    {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const
    {
        return m_mounted;
    }

    // Fills the disk with a file of its own until no more than `leave` bytes are free, or none.
    bool fill(qint64 leave = 0) const
    {
        QFile filler(QDir(m_path).filePath(QStringLiteral("riempitivo")));
        if (!filler.open(QIODevice::Append))
            return false;
        while (QStorageInfo(m_path).bytesAvailable() > leave && filler.write(QByteArray(4096, 'x')) == 4096 &&
               filler.flush()) {
        }
        return true;
    }

private:
    QString m_path;
    bool m_mounted = false;
};

#include "app/FileLock.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The lock covers one byte far past any content. Windows locks are mandatory, so locking the
// content would keep other copies from reading who holds the file. Network file systems pass
// byte-range locks to the server, and a lock taken here through a shared folder meets one taken
// on the server's own disk only when both cover the same byte, whatever system each copy runs on.
constexpr quint32 LockOffset = 0x40000000;

#ifdef Q_OS_WIN

QString reasonFor(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("accesso negato");
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("la cartella non esiste");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("il disco è in sola lettura");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("il disco è pieno");
    case ERROR_SHARING_VIOLATION:
        return QStringLiteral("il file è aperto in esclusiva da un altro programma");
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
        return QStringLiteral("il disco non consente di bloccare i file");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

#else

QString reasonFor(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case ENOENT:
        return QStringLiteral("la cartella non esiste");
    case ENOTDIR:
        return QStringLiteral("il percorso non porta a una cartella");
    case EISDIR:
        return QStringLiteral("al posto del file c'è una cartella");
    case ELOOP:
        return QStringLiteral("al posto del file c'è un collegamento");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("il disco è pieno");
    case ENOLCK:
    case EOPNOTSUPP:
        return QStringLiteral("il disco non consente di bloccare i file");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

// Opens the file for reading and writing, creating it when missing. An existing file is opened
// without O_CREAT: in a sticky shared folder such as /tmp the kernel may refuse O_CREAT on another
// user's file even when its permission bits allow the access.
int openShared(const QByteArray& path)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int created = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (created >= 0) {
            ::fchmod(created, 0666); // the umask has narrowed the mode
            return created;
        }
        if (errno != EEXIST)
            return -1;
        // Another copy created it between the two calls: open theirs.
    }
    return -1;
}

#endif

} // namespace

FileLock::FileLock(const QString& path)
    : m_path(path)
{
}

FileLock::~FileLock()
{
    unlock();
}

#ifdef Q_OS_WIN

FileLock::Result FileLock::tryLock()
{
    if (isLocked())
        return Locked;
    m_error.clear();
    const std::wstring native = QDir::toNativeSeparators(m_path).toStdWString();
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(native.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // A file another user created: other users may only read it, and reading is enough to lock.
        handle =
            CreateFileW(native.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = reasonFor(GetLastError());
        return Failed;
    }
    OVERLAPPED region = {};
    region.Offset = LockOffset;
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region)) {
        m_handle = handle;
        return Locked;
    }
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (error == ERROR_LOCK_VIOLATION)
        return Busy;
    m_error = reasonFor(error);
    return Failed;
}

void FileLock::unlock()
{
    // Closing the handle drops the lock.
    if (m_handle)
        CloseHandle(m_handle);
    m_handle = nullptr;
}

bool FileLock::isLocked() const
{
    return m_handle != nullptr;
}

bool FileLock::writeContent(const QByteArray& content)
{
    if (!m_handle)
        return false;
    LARGE_INTEGER start = {};
    DWORD written = 0;
    return SetFilePointerEx(m_handle, start, nullptr, FILE_BEGIN) && SetEndOfFile(m_handle) &&
           WriteFile(m_handle, content.constData(), DWORD(content.size()), &written, nullptr) &&
           written == DWORD(content.size());
}

#else

FileLock::Result FileLock::tryLock()
{
    if (isLocked())
        return Locked;
    m_error.clear();
    const int fd = openShared(QFile::encodeName(m_path));
    if (fd < 0) {
        m_error = reasonFor(errno);
        return Failed;
    }
    struct flock region = {};
    region.l_type = F_WRLCK;
    region.l_whence = SEEK_SET;
    region.l_start = LockOffset;
    region.l_len = 1;
#ifdef F_OFD_SETLK
    // Held by this open file rather than the whole process: two locks in one process exclude each
    // other, and closing some other descriptor of the file does not drop it.
    const int command = F_OFD_SETLK;
#else
    const int command = F_SETLK;
#endif
    if (::fcntl(fd, command, &region) == 0) {
        m_fd = fd;
        return Locked;
    }
    const int error = errno;
    ::close(fd);
    if (error == EAGAIN || error == EACCES)
        return Busy;
    m_error = reasonFor(error);
    return Failed;
}

void FileLock::unlock()
{
    // Closing the descriptor drops the lock.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool FileLock::isLocked() const
{
    return m_fd >= 0;
}

bool FileLock::writeContent(const QByteArray& content)
{
    if (m_fd < 0 || ::ftruncate(m_fd, 0) != 0)
        return false;
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t written = ::pwrite(m_fd, content.constData() + done, size_t(content.size() - done), done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

#endif

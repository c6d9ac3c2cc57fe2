#include "SafeSave.h"

#include "Errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EFileError SaveError(const QString& path, const char* what, int error)
{
    return EFileError(QStringLiteral("Cannot %1 file \"%2\". %3")
                          .arg(QString::fromLatin1(what), path, QString::fromLocal8Bit(std::strerror(error))));
}

// Owns the temporary file until it has been renamed into place.
class TTempFile
{
public:
    explicit TTempFile(QByteArray pattern) : FName(std::move(pattern))
    {
        FFd = ::mkostemp(FName.data(), O_CLOEXEC);
        FCreated = FFd >= 0;
    }
    ~TTempFile()
    {
        if (FFd >= 0)
            ::close(FFd);
        if (FCreated && !FCommitted)
            ::unlink(FName.constData());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    int Fd() const { return FFd; }
    const QByteArray& Name() const { return FName; }
    // Closes the descriptor; false (with errno) when the last writes did not reach the disk.
    bool Close()
    {
        const int fd = FFd;
        FFd = -1;
        return ::close(fd) == 0;
    }
    void Committed() { FCommitted = true; }

private:
    QByteArray FName;
    int FFd = -1;
    bool FCreated = false;
    bool FCommitted = false;
};

} // namespace

// Written on plain POSIX calls: QSaveFile reports success for a file cut short by a full disk.
void SaveFileSafely(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = path.toUtf8();
    TTempFile temp(target + ".XXXXXX");
    if (temp.Fd() < 0)
        throw SaveError(path, "create", errno);

    struct stat old
    {
    };
    mode_t mode;
    if (::stat(target.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(temp.Fd(), mode);

    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(temp.Fd(), data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw SaveError(path, "write", n < 0 ? errno : ENOSPC);
        data += n;
        left -= n;
    }
    if (::fsync(temp.Fd()) != 0 && errno != EINVAL && errno != EROFS)
        throw SaveError(path, "write", errno);
    if (!temp.Close())
        throw SaveError(path, "write", errno);
    if (::rename(temp.Name().constData(), target.constData()) != 0)
        throw SaveError(path, "replace", errno);
    temp.Committed();
}

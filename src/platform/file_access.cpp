#include "platform/file_access.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
[[noreturn]] void fail(const QString& what) {
    throw PositionFileError(what.toStdString());
}
}  // namespace

std::unique_ptr<QFile> openRegularFileForReading(const QString& path) {
    auto file = std::make_unique<QFile>(path);
#ifdef Q_OS_UNIX
    // Non-blocking, so that a named pipe cannot hang the open; the type is checked on the open
    // descriptor itself, so nothing can be swapped in between.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        fail(errno == ENOENT ? QStringLiteral("there is no file %1").arg(path)
                             : QStringLiteral("%1 cannot be opened: %2")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        fail(QStringLiteral("%1 is not a regular file").arg(path));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, file->errorString()));
    }
#else
    if (!QFileInfo(path).isFile()) {
        fail(QFileInfo::exists(path) ? QStringLiteral("%1 is not a regular file").arg(path)
                                     : QStringLiteral("there is no file %1").arg(path));
    }
    if (!file->open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, file->errorString()));
    }
#endif
    return file;
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("the folder %1 cannot be created").arg(folder));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
    }
    // commit() swaps in the new file even when flushing its buffer ran out of room, so the
    // buffer is flushed and checked first; an uncommitted QSaveFile leaves the old file alone.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        fail(QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
    }
}

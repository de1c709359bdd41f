#include "platform/file_reading.h"

#include "platform/errors.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_type.h"

std::unique_ptr<QFile> openPositionFileForReading(const QByteArray& path,
                                                  const std::string& failure) {
    // Non-blocking, so that a named pipe cannot hang the open; the type and size are checked on
    // the open descriptor itself, so nothing can be swapped in between.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        throw PositionFileError(failure, errno == ENOENT
                                             ? std::string("there is no such file")
                                             : "it cannot be opened: " + reasonFor(errno));
    }
    // The file owns the descriptor from here on and closes it however this ends.
    auto file = std::make_unique<QFile>();
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        throw PositionFileError(failure, "it cannot be read: " + file->errorString().toStdString());
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        throw PositionFileError(failure, "it cannot be examined: " + reasonFor(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        throw PositionFileError(failure, notRegular(status.st_mode));
    }
    if (status.st_size > largestPositionFile) {
        throw PositionFileError(failure, tooLargeForAPositionFile);
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return file;
}

#else
#include <QFileInfo>

std::unique_ptr<QFile> openPositionFileForReading(const QByteArray& path,
                                                  const std::string& failure) {
    const QFileInfo info(QFile::decodeName(path));
    if (!info.isFile()) {
        throw PositionFileError(
            failure, info.exists() ? "it is not a regular file" : "there is no such file");
    }
    if (info.size() > largestPositionFile) {
        throw PositionFileError(failure, tooLargeForAPositionFile);
    }
    auto file = std::make_unique<QFile>(info.filePath());
    if (!file->open(QIODevice::ReadOnly)) {
        throw PositionFileError(failure, "it cannot be read: " + file->errorString().toStdString());
    }
    return file;
}

#endif

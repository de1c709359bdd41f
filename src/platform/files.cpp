#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>
#include <filesystem>
// Qt says neither what kind of file lies at a path nor why opening it failed: the system does.
#ifdef Q_OS_WIN
#include <io.h>
// A Windows data folder holds no socket, nor a named pipe or terminal that opening could wait on.
constexpr bool S_ISSOCK(unsigned) {
    return false;
}
#endif

namespace {
std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

void requireRegular(unsigned mode) {
    if (!S_ISREG(mode)) {
        throw FileError(std::string("it is ") +
                        (S_ISDIR(mode)                    ? "a folder"
                         : S_ISFIFO(mode)                 ? "a named pipe"
                         : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                         : S_ISSOCK(mode)                 ? "a socket"
                                                          : "something else") +
                        ", not a regular file");
    }
}

// The mode of what lies at path, through a link of what it leads to, or 0 for nothing.
unsigned modeAt(const QString& path) {
#ifdef Q_OS_WIN
    struct _stat64 status {};
    const bool found = ::_wstat64(path.toStdWString().c_str(), &status) == 0;
#else
    struct stat status {};
    const bool found = ::stat(QFile::encodeName(path).constData(), &status) == 0;
#endif
    const int error = errno;
    if (!found && error == ENOENT && QFileInfo(path).isSymLink()) {
        throw FileError("it is a link that leads nowhere");
    }
    if (!found && error != ENOENT && error != ENOTDIR) {
        throw FileError("it cannot be examined: " + reasonOf(error));
    }
    return found ? status.st_mode : 0;
}

// Private to the user, as the XDG rules ask of a data folder that has to be made; a folder that
// exists already is left as it is.
void createFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!folder.has_relative_path() || std::filesystem::is_directory(folder, error)) {
        return;
    }
    createFolder(folder.parent_path());
    if (std::filesystem::create_directory(folder, error)) {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    } else if (error) {
        throw FileError("its folder cannot be created: " + error.message());
    }
}

std::string whyNotOpened(const QString& path, bool replacing, const QSaveFile& file) {
    // Through a link, the new file goes to the folder of the file the link leads to.
    const QFileInfo target(replacing ? QFileInfo(path).canonicalFilePath() : path);
    if (replacing && !target.isWritable()) {
        return QStorageInfo(target.path()).isReadOnly()
                   ? "it cannot be replaced: the file system is read-only"
                   : "it cannot be replaced: " + reasonOf(EACCES);
    }
    return (QDir(target.path()) == QFileInfo(path).dir()
                ? "its folder"
                : "the folder of the file it leads to, " +
                      QDir::toNativeSeparators(target.path()).toStdString() + ",") +
           " cannot be written to: " + file.errorString().toStdString();
}
}  // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 largest) {
#ifdef Q_OS_WIN
    const int descriptor = ::_wopen(path.toStdWString().c_str(), _O_RDONLY | _O_BINARY);
#else
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
#endif
    const int openError = errno;
    QFile file;
    if (descriptor < 0 || !file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                                     QFileDevice::AutoCloseHandle)) {
        // What lies there says why, if anything does: a socket, or a folder Windows does not open.
        const unsigned mode = modeAt(path);
        if (mode == 0) {
            throw FileError("there is no such file");
        }
        requireRegular(mode);
        throw FileError("it cannot be opened: " + reasonOf(openError));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        throw FileError("it cannot be examined: " + reasonOf(errno));
    }
    requireRegular(status.st_mode);
    // One byte past largest tells a file that is too large.
    const QByteArray bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError) {
        throw FileError("it cannot be read: " + file.errorString().toStdString());
    }
    return bytes.size() > largest ? std::nullopt : std::optional(bytes);
}

void replaceRegularFile(const QString& path, const QByteArray& bytes) {
    const unsigned mode = modeAt(path);
    if (mode == 0) {
        createFolder(QFileInfo(path).absoluteDir().filesystemAbsolutePath());
    } else {
        requireRegular(mode);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(whyNotOpened(path, mode != 0, file));
    }
    // commit() puts the new file in place even after a failed flush, so the flush comes first.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        throw FileError("it cannot be written: " + file.errorString().toStdString());
    }
}

#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <filesystem>
// Qt neither opens a file without waiting on a named pipe nor says why opening failed: the
// system does.
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace {
namespace fs = std::filesystem;

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

// Whether a regular file lies at path, through a link the one it leads to; throws when anything
// else lies there.
bool regularFileExists(const QString& path) {
    std::error_code error;
    const fs::path where = QFileInfo(path).filesystemFilePath();
    const fs::file_type type = fs::status(where, error).type();
    if (type == fs::file_type::not_found && fs::is_symlink(fs::symlink_status(where, error))) {
        throw FileError("it is a link that leads nowhere");
    }
    if (type == fs::file_type::not_found || type == fs::file_type::regular) {
        return type == fs::file_type::regular;
    }
    if (error) {
        throw FileError("it cannot be examined: " + error.message());
    }
    throw FileError(std::string("it is ") +
                    (type == fs::file_type::directory ? "a folder"
                     : type == fs::file_type::fifo    ? "a named pipe"
                     : type == fs::file_type::character || type == fs::file_type::block ? "a device"
                     : type == fs::file_type::socket                                    ? "a socket"
                                                     : "something else") +
                    ", not a regular file");
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
        if (!regularFileExists(path)) {
            throw FileError("there is no such file");
        }
        throw FileError("it cannot be opened: " + reasonOf(openError));
    }
    // What was opened, not what lies at path now, must be a regular file.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        regularFileExists(path);
        throw FileError("it is not a regular file");
    }
    // One byte past largest tells a file that is too large.
    const QByteArray bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError) {
        throw FileError("it cannot be read: " + file.errorString().toStdString());
    }
    return bytes.size() > largest ? std::nullopt : std::optional(bytes);
}

void replaceRegularFile(const QString& path, const QByteArray& bytes) {
    const bool replacing = regularFileExists(path);
    if (!replacing) {
        createFolder(QFileInfo(path).absoluteDir().filesystemAbsolutePath());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(whyNotOpened(path, replacing, file));
    }
    // commit() puts the new file in place even after a failed flush, so the flush comes first.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        throw FileError("it cannot be written: " + file.errorString().toStdString());
    }
}

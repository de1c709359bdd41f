#include "platform/atomic_write.h"

#include "platform/errors.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "platform/file_type.h"

namespace {
QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The name a save writes to before it renames the file into place; the same form as a
// QSaveFile's: the file's name, a dot and six letters.
constexpr qsizetype temporarySuffixLength = 6;

QByteArray temporaryName(const QByteArray& path) {
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    QByteArray name = path + '.';
    for (qsizetype i = 0; i < temporarySuffixLength; ++i) {
        name += letters[QRandomGenerator::global()->bounded(52)];
    }
    return name;
}

bool isTemporaryNameOf(const QByteArray& entry, const QByteArray& name) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return entry.size() == name.size() + 1 + temporarySuffixLength &&
           entry.startsWith(name + '.') &&
           std::all_of(entry.end() - temporarySuffixLength, entry.end(), isLetter);
}

void createFolder(const QByteArray& folder, const std::string& failure) {
    int error = 0;
    for (qsizetype slash = folder.indexOf('/', 1);; slash = folder.indexOf('/', slash + 1)) {
        // Private to the user, as the XDG rules ask for a data folder that has to be created.
        if (::mkdir((slash < 0 ? folder : folder.left(slash)).constData(), 0700) != 0 &&
            errno != EEXIST) {
            error = errno;
        }
        if (slash < 0) {
            break;
        }
    }
    struct stat status {};
    if (::stat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return;
    }
    throw PositionFileError(
        failure, "its folder cannot be created: " + reasonFor(error != 0 ? error : ENOTDIR));
}

// What a save at path replaces: the regular file at path, or the one its link leads to.
struct Replaced {
    QByteArray path;
    mode_t mode;
};

// Nothing when no file is there yet.
std::optional<Replaced> fileToReplace(const QByteArray& path, const std::string& failure) {
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw PositionFileError(failure, "it cannot be examined: " + reasonFor(errno));
    }
    QByteArray target = path;
    if (S_ISLNK(status.st_mode)) {
        char* resolved = ::realpath(path.constData(), nullptr);
        if (resolved == nullptr) {
            throw PositionFileError(
                failure, errno == ENOENT ? std::string("it is a link that leads nowhere")
                                         : "its link cannot be followed: " + reasonFor(errno));
        }
        target = resolved;
        std::free(resolved);
        if (::stat(target.constData(), &status) != 0) {
            throw PositionFileError(failure, "it cannot be examined: " + reasonFor(errno));
        }
    }
    if (!S_ISREG(status.st_mode)) {
        throw PositionFileError(failure, notRegular(status.st_mode));
    }
    return Replaced{target, status.st_mode};
}

// A new file of the temporary form beside target, open for writing; its name goes to name.
int createTemporary(const QByteArray& target, QByteArray& name, const std::string& failure) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        const int descriptor =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (descriptor >= 0) {
            return descriptor;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    throw PositionFileError(failure, "it cannot be written: " + reasonFor(errno));
}

// 0 once the replaced file's mode is copied and every byte is written and on disk; otherwise
// the error that stopped it.
int fill(int descriptor, const QByteArray& bytes, const std::optional<Replaced>& replaced) {
    if (replaced && ::fchmod(descriptor, replaced->mode & 07777) != 0) {
        return errno;
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t count = ::write(descriptor, bytes.constData() + written,
                                      static_cast<size_t>(bytes.size() - written));
        if (count < 0 && errno != EINTR) {
            return errno;
        }
        written += std::max<ssize_t>(count, 0);
    }
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

// Only files of exactly the temporary form, and only in the program's own folder, are taken
// for leftovers of an interrupted save.
void removeLeftoverTemporaries(const QByteArray& path) {
    DIR* folder = ::opendir(folderOf(path).constData());
    if (folder == nullptr) {
        return;
    }
    const QByteArray name = nameOf(path);
    while (const dirent* entry = ::readdir(folder)) {
        struct stat status {};
        if (isTemporaryNameOf(entry->d_name, name) &&
            ::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode)) {
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        }
    }
    ::closedir(folder);
}
}  // namespace

void writeFileAtomically(const QByteArray& path, const QByteArray& bytes,
                         const std::string& failure) {
    createFolder(folderOf(path), failure);
    const std::optional<Replaced> replaced = fileToReplace(path, failure);
    const QByteArray target = replaced ? replaced->path : path;
    QByteArray temporary;
    const int descriptor = createTemporary(target, temporary, failure);
    // Every byte must be written and on disk before the new file takes the old one's place; a
    // failure anywhere up to the rename leaves the old file exactly as it was.
    int error = fill(descriptor, bytes, replaced);
    if (::close(descriptor) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        throw PositionFileError(failure, "it cannot be written: " + reasonFor(error));
    }
    removeLeftoverTemporaries(path);
}

#else
#include <QFileInfo>
#include <QSaveFile>

void writeFileAtomically(const QByteArray& path, const QByteArray& bytes,
                         const std::string& failure) {
    const QFileInfo info(QFile::decodeName(path));
    if (info.exists() && !info.isFile()) {
        throw PositionFileError(failure, "it is not a regular file");
    }
    QSaveFile file(info.filePath());
    // commit() swaps in the new file even when flushing its buffer ran out of room, so the
    // buffer is flushed and checked first; an uncommitted QSaveFile leaves the old file alone.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        throw PositionFileError(failure,
                                "it cannot be written: " + file.errorString().toStdString());
    }
}

#endif

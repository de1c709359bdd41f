#include "platform/files.h"

#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>

// Qt tells neither a named pipe from a device nor why a folder could not be made: the kind of a
// file and the making of folders come from the standard library.
namespace fs = std::filesystem;

namespace {
std::string reasonOf(const QFileDevice& file) {
    return file.errorString().toStdString();
}

// Whether a regular file lies at path or behind its link; throws for anything else.
bool regularFileAt(const fs::path& path) {
    std::error_code error;
    const fs::file_type type = fs::status(path, error).type();
    if (type == fs::file_type::not_found && fs::is_symlink(fs::symlink_status(path, error))) {
        throw FileError("it is a link that leads nowhere");
    }
    if (type != fs::file_type::not_found && error) {
        throw FileError("it cannot be examined: " + error.message());
    }
    using enum fs::file_type;
    if (type == regular || type == not_found) {
        return type == regular;
    }
    throw FileError(std::string("it is ") +
                    (type == directory                    ? "a folder"
                     : type == fifo                       ? "a named pipe"
                     : type == character || type == block ? "a device"
                     : type == socket                     ? "a socket"
                                                          : "something else") +
                    ", not a regular file");
}

// Private to the user, as the XDG rules ask of a data folder that has to be made.
void createFolder(const fs::path& folder) {
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        createFolder(folder.parent_path());
        if (!fs::create_directory(folder, error) && error) {
            throw FileError("its folder cannot be created: " + error.message());
        }
        fs::permissions(folder, fs::perms::owner_all, error);
    }
}
}  // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 largest) {
    if (!regularFileAt(QFileInfo(path).filesystemFilePath())) {
        throw FileError("there is no such file");
    }
    QFile file(path);
    if (file.size() > largest) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throw FileError("it cannot be opened: " + reasonOf(file));
    }
    // To the end or an error, and one byte past largest to notice a file that grew meanwhile.
    QByteArray bytes;
    for (QByteArray chunk; !(chunk = file.read(largest + 1 - bytes.size())).isEmpty();) {
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        throw FileError("it cannot be read: " + reasonOf(file));
    }
    return bytes.size() > largest ? std::nullopt : std::optional(bytes);
}

void replaceRegularFile(const QString& path, const QByteArray& bytes) {
    const fs::path native = QFileInfo(path).filesystemFilePath();
    const bool replacing = regularFileAt(native);
    if (!replacing) {
        createFolder(native.parent_path());
    }
    // Opening fails for a file made read-only, and otherwise only in a folder that takes no file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(replacing && !QFileInfo(path).isWritable()
                            ? "it cannot be replaced: " +
                                  std::make_error_code(std::errc::permission_denied).message()
                            : "its folder cannot be written to: " + reasonOf(file));
    }
    // commit() puts the new file in place even after a failed flush, so the flush is checked
    // first. A file is replaced through a temporary one named seven characters longer, and when
    // that name is too long QSaveFile gives no reason.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        std::error_code error;
        const bool nameTooLong = !fs::exists(fs::path(native) += ".XXXXXX", error) &&
                                 error == std::errc::filename_too_long;
        throw FileError(nameTooLong ? "it cannot be replaced: " + error.message()
                                    : "it cannot be written: " + reasonOf(file));
    }
}

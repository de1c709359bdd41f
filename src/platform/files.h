#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/errors.h"

// Reading and replacing one small file, the same way on every platform. Only a regular file is
// used, through a link the one it leads to; anything else (a folder, a named pipe, a device, a
// socket, a link that leads nowhere) is refused unopened. A failure throws FileError, whose
// message says plainly whether the file or its folder failed, and why.
class FileError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// The whole file, or nothing when it is larger than largest bytes; it is never read beyond them.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 largest);

// Replaces the file only once all of bytes is written and on disk, so that a failure leaves the
// old one as it was; creates it and its missing folders. Removes nothing.
void replaceRegularFile(const QString& path, const QByteArray& bytes);

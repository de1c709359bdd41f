#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/errors.h"

// Reading and replacing one small file. Only a regular file is used, through a link the one it
// leads to; anything else (a folder, a named pipe, a device, a link that leads nowhere) is
// refused unread. A failure throws FileError, which says plainly what failed and why.
class FileError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// The whole file, or nothing when it is larger than largest bytes; it is never read beyond them,
// and a named pipe or a terminal put in its place is refused at once, never waited on.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 largest);

// Replaces the file only once all of bytes is on disk, so that a failure leaves the old one as
// it was. Folders it has to make are private to the user; nothing else is changed or removed.
void replaceRegularFile(const QString& path, const QByteArray& bytes);

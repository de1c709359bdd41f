#include "persistence/position_commands.h"

#include <QDir>
#include <QFileInfo>

#include "board/form1.h"
#include "persistence/position_file_error.h"
#include "persistence/position_text.h"
#include "persistence/saved_position.h"
#include "persistence/visible_text.h"
#include "platform/files.h"

namespace {
// The path of the position file, or the message that there is none; failed names what could
// not be done, for the one sentence a failure shows.
const QString& positionFilePath(const PositionFileLocation& location, const char* failed) {
    if (location.path.isEmpty()) {
        throw PositionFileError(std::string("The position could not be ") + failed,
                                location.missing);
    }
    return location.path;
}

std::string shown(const QString& path) {
    return visiblePath(QDir::toNativeSeparators(path).toUtf8());
}
}  // namespace

void PositionCommands::SaveClick() {
    const QString& path = positionFilePath(m_location, "saved");
    try {
        replaceRegularFile(path, positionText(m_form));
    } catch (const FileError& error) {
        throw PositionFileError("The position could not be saved to " + shown(path), error.what());
    }
}

void PositionCommands::LoadClick() {
    const QString& path = positionFilePath(m_location, "loaded");
    const QString& source =
        m_location.fallback.isEmpty() || QFileInfo::exists(path) ? path : m_location.fallback;
    const std::string failure = "The position could not be loaded from " + shown(source);
    // All or nothing: every value is read and checked before anything changes.
    std::optional<QByteArray> bytes;
    try {
        bytes = readRegularFile(source, largestPositionFile);
    } catch (const FileError& error) {
        throw PositionFileError(failure, error.what());
    }
    if (!bytes) {
        throw PositionFileError(failure, "it is too large to be a position file");
    }
    const SavedPosition saved = readSavedPosition(*bytes, m_form.pieceCount(), failure);

    m_form.CellSize = saved.CellSize;
    m_form.CellSizeI = saved.CellSizeI;
    m_form.PieceRadius = saved.PieceRadius;
    // Row 0 and column 0 of the trays are no cells and keep what they hold.
    for (const TrayCell cell : TrayGrid::cells) {
        m_form.Tray1(cell) = saved.Tray1(cell);
        m_form.Tray2(cell) = saved.Tray2(cell);
    }
    for (int position = 1; position <= m_form.pieceCount(); ++position) {
        const SavedPosition::Piece& line = saved.pieces[static_cast<std::size_t>(position - 1)];
        VIDEVER& piece = m_form.pieceAt(position);
        piece.setX(line.X);
        piece.setY(line.Y);
        piece.setSH_TYPE(line.SH_TYPE);
        piece.setR(m_form.PieceRadius);
    }
    m_form.Redraw();
}

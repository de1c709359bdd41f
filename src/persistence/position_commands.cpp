#include "persistence/position_commands.h"

#include <QFile>

#include "board/form1.h"
#include "persistence/position_text.h"
#include "persistence/saved_position.h"
#include "persistence/visible_text.h"
#include "platform/atomic_write.h"
#include "platform/errors.h"
#include "platform/file_reading.h"
#include "platform/position_file_location.h"

namespace {
// The path of the position file, or the message that there is none; failed names what could
// not be done, for the one sentence a failure shows.
const QByteArray& positionFilePath(const std::optional<QByteArray>& path, const char* failed) {
    if (!path) {
        throw PositionFileError(std::string("The position could not be ") + failed,
                                noPositionFileLocation);
    }
    return *path;
}

void storeTray(TrayGrid& tray, const SavedPosition::TrayMarks& marks) {
    std::size_t cell = 0;
    for (int row = TrayGrid::firstRow; row <= TrayGrid::lastRow; ++row) {
        for (int column = TrayGrid::firstColumn; column <= TrayGrid::lastColumn; ++column) {
            tray(row, column) = marks[cell++];
        }
    }
}
}  // namespace

void PositionCommands::SaveClick() {
    const QByteArray& path = positionFilePath(m_path, "saved");
    writeFileAtomically(path, positionText(m_form),
                        "The position could not be saved to " + visiblePath(path));
}

void PositionCommands::LoadClick() {
    const QByteArray& path = positionFilePath(m_path, "loaded");
    const std::string failure = "The position could not be loaded from " + visiblePath(path);
    // All or nothing: every value is read and checked before anything changes.
    const std::unique_ptr<QFile> file = openPositionFileForReading(path, failure);
    const SavedPosition saved =
        readSavedPosition(*file, static_cast<int>(m_form.Pieces.size()), failure);

    m_form.CellSize = saved.CellSize;
    m_form.CellSizeI = saved.CellSizeI;
    m_form.PieceRadius = saved.PieceRadius;
    storeTray(m_form.Tray1, saved.Tray1);
    storeTray(m_form.Tray2, saved.Tray2);
    for (int position = 1; position <= static_cast<int>(m_form.Pieces.size()); ++position) {
        const SavedPosition::Piece& line = saved.pieces[static_cast<std::size_t>(position - 1)];
        VIDEVER& piece = m_form.pieceAt(position);
        piece.setX(line.X);
        piece.setY(line.Y);
        piece.setSH_TYPE(line.SH_TYPE);
        piece.setR(m_form.PieceRadius);
    }
    m_form.Redraw();
}

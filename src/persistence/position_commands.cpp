#include <QFile>

#include "board/form1.h"
#include "persistence/position_text.h"
#include "persistence/saved_position.h"
#include "persistence/visible_text.h"
#include "platform/errors.h"
#include "platform/file_access.h"
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

void Form1::SaveClick() {
    const QByteArray& path = positionFilePath(m_positionFile, "saved");
    writeFileAtomically(path, positionText(*this),
                        "The position could not be saved to " + visiblePath(path));
}

void Form1::LoadClick() {
    const QByteArray& path = positionFilePath(m_positionFile, "loaded");
    const std::string failure = "The position could not be loaded from " + visiblePath(path);
    // All or nothing: every value is read and checked before anything changes.
    const std::unique_ptr<QFile> file = openPositionFileForReading(path, failure);
    const SavedPosition saved = readSavedPosition(*file, static_cast<int>(Pieces.size()), failure);

    CellSize = saved.CellSize;
    CellSizeI = saved.CellSizeI;
    PieceRadius = saved.PieceRadius;
    storeTray(Tray1, saved.Tray1);
    storeTray(Tray2, saved.Tray2);
    for (int position = 1; position <= static_cast<int>(Pieces.size()); ++position) {
        const SavedPosition::Piece& line = saved.pieces[static_cast<std::size_t>(position - 1)];
        VIDEVER& piece = pieceAt(position);
        piece.setX(line.X);
        piece.setY(line.Y);
        piece.setSH_TYPE(line.SH_TYPE);
        piece.setR(PieceRadius);
    }
    Redraw();
}

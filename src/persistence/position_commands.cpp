#include <QFile>

#include "board/form1.h"
#include "persistence/position_text.h"
#include "persistence/saved_position.h"
#include "platform/errors.h"
#include "platform/file_access.h"

namespace {
[[noreturn]] void failWith(const char* action, const QString& path, const std::exception& error) {
    throw PositionFileError(std::string("The position could not be ") + action + " (" +
                            path.toStdString() + "): " + error.what() + ".");
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
    try {
        writeFileAtomically(m_positionFile, positionText(*this));
    } catch (const PositionFileError& error) {
        failWith("saved", m_positionFile, error);
    }
}

void Form1::LoadClick() {
    // All or nothing: every value is read and checked before anything changes.
    SavedPosition saved;
    try {
        const std::unique_ptr<QFile> file = openRegularFileForReading(m_positionFile);
        saved = readSavedPosition(*file, static_cast<int>(Pieces.size()));
    } catch (const PositionFileError& error) {
        failWith("loaded", m_positionFile, error);
    }

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

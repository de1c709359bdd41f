#include "offscreen/board_snapshot.h"

#include <QHashFunctions>

namespace {
std::vector<double> numbersOf(const Form1& form) {
    std::vector<double> numbers{
        form.CellSize,           double(form.CellSizeI),   double(form.PieceRadius),
        form.BoardLast,          double(form.SquareColor), form.DragStartX,
        double(form.DragStartY), form.LastMouseX,          form.LastMouseY};
    for (const TrayGrid* tray : {&form.Tray1, &form.Tray2}) {
        const std::vector<int> marks = trayMarks(*tray);
        numbers.insert(numbers.end(), marks.begin(), marks.end());
    }
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        numbers.insert(numbers.end(), {double(piece.X()), double(piece.Y()), double(piece.R()),
                                       double(piece.SH_TYPE()), double(piece.ISMOVING)});
    }
    return numbers;
}

const QImage& shownPicture(OffscreenBoard& board) {
    board.showChanges();
    return board.surface.image();
}
}  // namespace

std::vector<int> trayMarks(const TrayGrid& tray) {
    std::vector<int> marks;
    for (int row = 0; row <= TrayGrid::lastRow; ++row) {
        for (int column = 0; column <= TrayGrid::lastColumn; ++column) {
            marks.push_back(tray(row, column));
        }
    }
    return marks;
}

BoardSnapshot::BoardSnapshot(OffscreenBoard& board)
    : numbers(numbersOf(board.form)),
      pictureSize(shownPicture(board).size()),
      pictureHash(qHashBits(shownPicture(board).constBits(),
                            static_cast<std::size_t>(shownPicture(board).sizeInBytes()))),
      widthTwips(board.host.widthTwips()),
      heightTwips(board.host.heightTwips()) {}

#include "persistence/position_file.h"

#include <charconv>
#include <cmath>

#include "board/form1.h"

namespace {
QByteArray field(double value) {
    const double magnitude = std::fabs(value);
    char digits[64];
    // Whole numbers, all the program itself ever holds, are plain digits; a fraction that a
    // hand-edited file brought in is kept exactly, in the shortest form that reads back the same.
    const auto written =
        std::floor(magnitude) == magnitude && magnitude < 1e15
            ? std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 0)
            : std::to_chars(digits, digits + sizeof digits, magnitude);
    return (value < 0 ? '-' : ' ') + QByteArray(digits, written.ptr - digits) + ' ';
}

QByteArray line(double first, double second, double third) {
    return field(first) + field(second) + field(third) + "\r\n";
}
}  // namespace

QByteArray positionText(const Form1& form) {
    QByteArray text = line(form.CellSize, form.CellSizeI, form.PieceRadius);
    for (const TrayGrid* tray : {&form.Tray1, &form.Tray2}) {
        for (const TrayCell cell : TrayGrid::cells) {
            text += field((*tray)(cell)) + (cell.column == TrayGrid::lastColumn ? "\r\n" : "");
        }
    }
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        text += line(piece.X(), piece.Y(), piece.SH_TYPE());
    }
    return text;
}

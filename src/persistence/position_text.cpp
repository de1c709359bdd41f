#include "persistence/position_text.h"

#include "board/form1.h"
#include "persistence/number_field.h"

namespace {
constexpr char lineEnd[] = "\r\n";

void appendTray(QByteArray& text, const TrayGrid& tray) {
    for (const TrayCell cell : TrayGrid::cells) {
        text += numberField(tray(cell));
        if (cell.column == TrayGrid::lastColumn) {
            text += lineEnd;
        }
    }
}
}  // namespace

QByteArray positionText(const Form1& form) {
    QByteArray text;
    text += numberField(form.CellSize) + numberField(form.CellSizeI) +
            numberField(form.PieceRadius) + lineEnd;
    appendTray(text, form.Tray1);
    appendTray(text, form.Tray2);
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        text += numberField(piece.X()) + numberField(piece.Y()) + numberField(piece.SH_TYPE()) +
                lineEnd;
    }
    return text;
}

#pragma once

#include <QPoint>
#include <QString>

class Form1;
class VIDEVER;

// The board in short words, as a screen reader speaks it, always as the drop rules see it. A
// dark square is its number in draughts notation (1 to 32, row by row from the top left), the
// others say what they are ("white square", "gap", "red tray cell 4").
namespace words {

// Where the drop rules have a piece lie: on a board square when its centre lies strictly inside
// the board (a press there picks up a board piece), else in the gap, in a tray cell, or off the
// grid altogether. Centred when it lies on its square's centre, which is what makes a board
// square taken for a drop.
struct Place {
    enum Kind { Board, Gap, Tray, Outside } kind = Outside;
    QPoint square;
    bool centred = false;
};
Place placeAt(const Form1& form, double x, double y);
Place placeOf(const Form1& form, const VIDEVER& piece);
// The square's label, "the gap" or "off the board".
QString placeLabel(const Place& place);

QString squareLabel(QPoint square);
// "red", "blue", "black"; "invisible" for a piece that is never painted.
QString sideWords(const VIDEVER& piece);
// "red piece", "invisible piece".
QString pieceWords(const VIDEVER& piece);
// The pieces the rules have lie on the square (the one painted on top first), then those that
// only reach into it: "9, red piece", "9, blue piece over red piece", "13, empty, red piece
// reaching in", "14, free, blue piece off centre".
QString squareName(const Form1& form, QPoint square);
// The pieces lying on the square in a word or two: "red", "blue over red", "empty".
QString squareContent(const Form1& form, QPoint square);

}  // namespace words

#pragma once

#include <QPoint>
#include <QString>

class Form1;

// The board in short words, as a screen reader speaks it. A dark square is its number in
// draughts notation (1 to 32, row by row from the top left), the others say what they are
// ("white square", "gap", "red tray cell 4"); a name adds what lies there ("9, red piece",
// "red tray cell 1, empty").
QString squareLabel(QPoint square);
QString squareName(const Form1& form, QPoint square);
// What a piece is, by its side: "red piece", "blue piece", "black piece".
QString pieceWords(const Form1& form, int position);
// Where a piece lies, as the label of the square that holds its centre ("off the board" for
// none).
QString placeOf(const Form1& form, int position);

// The whole position: where each side's pieces stand and how many lie in each tray.
QString positionWords(const Form1& form);
// One row of the grid, square by square.
QString rowWords(const Form1& form, int row);

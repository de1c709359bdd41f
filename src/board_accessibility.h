#pragma once

#include <QString>
#include <QStringList>

class Form1;
class QAccessibleInterface;
class QObject;

// What a screen reader reads of the board: a table of the focus square's grid, each square named
// in plain words with what lies there ("row 3, column 2, black square, red piece", "red tray,
// row 1, column 1, empty"), row by row.
QString squareName(const Form1& form, int row, int column);
QStringList squareNames(const Form1& form);

// Qt's accessibility factory for the board widget: its table and the table's squares.
QAccessibleInterface* boardAccessibility(const QString& className, QObject* object);

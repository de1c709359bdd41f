#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What assistive technology reads of the board: a group of 96 squares, 12 by 8 as the focus
// square walks them, each named in short words, then a hidden status bar whose notifications
// speak each change of the game. Not a table: a screen reader would read a whole row of a table
// at each step up or down, and ignores the name changes of its cells. Made for a widget that has
// a SpokenBoard as its child.
QAccessibleInterface* boardInterface(const QString& className, QObject* object);

// The status bar's index among the board's children, after the squares.
inline constexpr int statusBarChild = 96;

// The notification that speaks next, as shown to assistive technology.
QAccessibleInterface* announcer(QObject* board, int notification);

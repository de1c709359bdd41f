#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What assistive technology reads of the board: a group of 96 squares, 12 by 8 as the focus
// square walks them, each named in short words, and one notification that speaks each change of
// the game. Not a table: a screen reader would read a whole row of a table at each step up or
// down, and ignores the name changes of its cells.
QAccessibleInterface* boardAccessibility(const QString& className, QObject* object);

// The child index of the notification, after the squares.
inline constexpr int announcementChild = 96;

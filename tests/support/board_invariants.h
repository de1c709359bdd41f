#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QString>
#include <ostream>
#include <vector>

#include "board/form1.h"
#include "offscreen/board_snapshot.h"  // trayMarks

// Failure messages show points as (x, y) rather than as raw bytes.
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << "(" << point.x() << ", " << point.y() << ")";
}

// Failure messages show words as words.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The centre of every piece, in Pieces order: a snapshot to show that nothing else moved.
std::vector<QPoint> piecePlaces(const Form1& form);

// How many pieces are marked as moving.
int markedPieces(const Form1& form);

// How many of a tray's cells are marked.
int markedCells(const TrayGrid& tray);

// Whether nothing has been lost: 24 pieces, none marked, each on the centre of a black board
// square or of a marked cell of its own colour's tray, no two in one place, each tray's marks
// counting exactly the pieces lying in it and nothing written outside the cells.
::testing::AssertionResult positionIsSound(const Form1& form);

#pragma once

#include <QPoint>
#include <vector>

#include "support/board_fixture.h"
#include "support/board_invariants.h"

// The board fixture with the checks that drag tests share.
class DragFixture : public BoardTest {
protected:
    QPoint placeOf(int position) {
        return QPoint(form.pieceAt(position).X(), form.pieceAt(position).Y());
    }

    // A left-button drag grabbed at grab and let go at release is refused: one beep, every piece
    // where it was, no mark changed and nothing left marked.
    void expectRefused(QPoint grab, QPoint release) {
        SCOPED_TRACE(::testing::Message() << "from (" << grab.x() << ", " << grab.y() << ") to ("
                                          << release.x() << ", " << release.y() << ")");
        const std::vector<QPoint> places = piecePlaces(form);
        const std::vector<int> tray1 = trayMarks(form.Tray1);
        const std::vector<int> tray2 = trayMarks(form.Tray2);
        const int beeps = host.beeps();
        drag(grab.x(), grab.y(), release.x(), release.y());
        EXPECT_EQ(host.beeps(), beeps + 1);
        EXPECT_EQ(piecePlaces(form), places);
        EXPECT_EQ(trayMarks(form.Tray1), tray1);
        EXPECT_EQ(trayMarks(form.Tray2), tray2);
        EXPECT_EQ(markedPieces(form), 0);
    }
};

#pragma once

#include <QPointF>
#include <QTemporaryDir>

#include "board/form1.h"
#include "interaction/mouse_handlers.h"
#include "offscreen/offscreen_host.h"
#include "persistence/position_commands.h"
#include "platform/surface.h"

// A started board without a display, at one of the three square sides (20, 40 or 60), with its
// mouse and its File menu's Save and Load on a position file in a private temporary folder.
struct OffscreenBoard {
    explicit OffscreenBoard(int side);

    // What the real window does after every event: take the area to show.
    void showChanges() { surface.takeChangedArea(); }

    // The centre of board square (column, row) at the current side.
    QPointF centre(int column, int row) const;

    QTemporaryDir folder;
    Surface surface{QSize(1, 1)};
    OffscreenHost host{surface};
    Form1 form{surface, host};
    MouseHandlers mouse{form, host};
    PositionCommands fileMenu;
};

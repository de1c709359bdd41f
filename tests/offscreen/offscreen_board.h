#pragma once

#include <QString>

#include "board/form1.h"
#include "interaction/mouse_handlers.h"
#include "offscreen/offscreen_host.h"
#include "persistence/position_file.h"
#include "platform/position_file_location.h"
#include "platform/surface.h"

// The board window without a display, as the program starts it (through its load event): a real
// raster surface, a host that counts beeps, the mouse, and the File menu's Save and Load on the
// given position file.
struct OffscreenBoard {
    explicit OffscreenBoard(const PositionFileLocation& location,
                            QSize screen = OffscreenHost::largeScreen);

    // What the real window does after every event: paint what changed, for it to show.
    QRect showChanges() { return surface.paintChanges(); }

    QString positionFile;
    Surface surface{QSize(1, 1)};
    OffscreenHost host;
    Form1 form{surface, host};
    MouseHandlers mouse{form, host};
    PositionCommands fileMenu;
};

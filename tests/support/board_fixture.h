#pragma once

#include <gtest/gtest.h>

#include <QRgb>
#include <QString>
#include <memory>
#include <string>

#include "board/form1.h"
#include "interaction/mouse_handlers.h"
#include "offscreen/offscreen_host.h"
#include "persistence/position_commands.h"
#include "platform/surface.h"

// A board window without a display: a real raster surface, a host that counts beeps, its mouse,
// and its File menu's Save and Load with a position file in a private temporary folder. The
// board has been through its load event.
class BoardTest : public ::testing::Test {
protected:
    BoardTest();

    // The colour of the logical pixel (x, y) on the surface.
    QRgb pixel(int x, int y) const;

    // Drags with one button: press at from, one move to to, release at to.
    void drag(float fromX, float fromY, float toX, float toY, int button = 1);

    // The position file's name as messages show it: with the system's separators.
    std::string shownName() const;

    QString positionFile;
    Surface surface{QSize(1, 1)};
    OffscreenHost host{surface};
    Form1 form{surface, host};
    MouseHandlers mouse{form, host};
    PositionCommands fileMenu;
};

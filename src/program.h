#pragma once

#include "board/form1.h"
#include "interaction/mouse_handlers.h"
#include "persistence/position_commands.h"
#include "platform/main_window.h"

// The whole program: the board window wired to a real main window, its mouse and its position
// file, loaded and ready to be shown.
struct Program {
    explicit Program(PositionFileLocation positionFile);

    MainWindow window;
    Form1 form{window.surface(), window};
    MouseHandlers mouse{form, window};
    PositionCommands fileMenu;
};

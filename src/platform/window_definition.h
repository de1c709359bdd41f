#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/mouse_receiver.h"

// What a program's one window is made of, as the program defines it: the main window builds
// itself from this and calls back into the program for every event.
struct WindowDefinition {
    struct Command {
        QString control;  // the item's object name
        QString caption;
        std::function<void()> run;
    };
    struct Menu {
        QString control;
        QString caption;
        std::vector<Command> commands;
    };

    QString title;
    // The outer size the window is defined at, in twips (1/1440 inch).
    float widthTwips = 0;
    float heightTwips = 0;
    std::vector<Menu> menus;
    // Raised once, before the window is first shown.
    std::function<void()> load;
    // Takes every mouse press, move and release on the client area.
    MouseReceiver* mouse = nullptr;
};

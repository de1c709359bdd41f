#pragma once

#include <functional>

#include "board/form1.h"
#include "platform/window_definition.h"

// The commands of the window that the layers above the board provide.
struct Form1Handlers {
    std::function<void()> save;
    std::function<void()> load;
    WindowDefinition::MouseHandler mouseDown;
    WindowDefinition::MouseHandler mouseMove;
    WindowDefinition::MouseHandler mouseUp;
};

// The board window as the user meets it: the title "Form1", the Normal size it is defined at,
// the File and Size menus with the command each item runs, and its load event.
WindowDefinition form1Window(Form1& form, const Form1Handlers& handlers);

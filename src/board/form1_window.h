#pragma once

#include <functional>

#include "board/form1.h"
#include "platform/window_definition.h"

// The board window as the user meets it: the title "Form1", the Normal size it is defined at,
// the File and Size menus with the command each item runs, its load event, and the mouse. Save,
// Load and the mouse come from the layers above the board.
WindowDefinition form1Window(Form1& form, MouseReceiver& mouse, std::function<void()> save,
                             std::function<void()> load);

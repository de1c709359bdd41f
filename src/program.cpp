#include "program.h"

#include <functional>

#include "board/form1_window.h"

Program::Program(PositionFileLocation positionFile) : fileMenu(form, std::move(positionFile)) {
    window.define(
        form1Window(form, {.save = std::bind_front(&PositionCommands::SaveClick, &fileMenu),
                           .load = std::bind_front(&PositionCommands::LoadClick, &fileMenu),
                           .mouseDown = std::bind_front(&MouseHandlers::mouseDown, &mouse),
                           .mouseMove = std::bind_front(&MouseHandlers::mouseMove, &mouse),
                           .mouseUp = std::bind_front(&MouseHandlers::mouseUp, &mouse)}));
}

#include "program.h"

#include "board/form1_window.h"

Program::Program(PositionFileLocation positionFile) : fileMenu(form, std::move(positionFile)) {
    window.define(form1Window(
        form, mouse, [this] { fileMenu.SaveClick(); }, [this] { fileMenu.LoadClick(); }));
}

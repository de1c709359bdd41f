#include "offscreen/offscreen_board.h"

OffscreenBoard::OffscreenBoard(const PositionFileLocation& location, QSize screen)
    : positionFile(location.path), host(surface, screen), fileMenu(form, location) {
    form.onLoad();
    showChanges();
}

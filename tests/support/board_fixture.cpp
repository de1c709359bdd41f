#include "support/board_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QString privateFolder() {
    static QTemporaryDir folder;
    return folder.path();
}
}  // namespace

BoardTest::BoardTest()
    : positionFile(privateFolder() + "/" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                   "/Videver.txt"),
      fileMenu(form, {positionFile}) {
    QDir(privateFolder()).mkpath(QFileInfo(positionFile).absolutePath());
    QFile::remove(positionFile);
    form.onLoad();
}

std::string BoardTest::shownName() const {
    return QDir::toNativeSeparators(positionFile).toStdString();
}

QRgb BoardTest::pixel(int x, int y) const {
    return surface.image().pixel(x, y);
}

void BoardTest::drag(float fromX, float fromY, float toX, float toY, int button) {
    mouse.mouseDown(button, 0, fromX, fromY);
    mouse.mouseMove(button, 0, toX, toY);
    mouse.mouseUp(button, 0, toX, toY);
}

#include "support/board_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {
// Videver.txt in a folder named after the running test, which holds nothing else yet.
QString positionFileOfThisTest() {
    static const QTemporaryDir folder;
    const QString path = folder.path() + "/" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                         "/Videver.txt";
    QDir(folder.path()).mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return path;
}
}  // namespace

BoardTest::BoardTest() : OffscreenBoard({positionFileOfThisTest()}) {}

std::string BoardTest::shownName() const {
    return QDir::toNativeSeparators(positionFile).toStdString();
}

void BoardTest::expectOneSentenceNamingTheFile(const std::string& message, const std::string& done,
                                               const std::string& reason) const {
    const std::string start = "The position could not be " + done + " " + shownName() + ": ";
    EXPECT_EQ(message.substr(0, start.size()), start);
    EXPECT_EQ(message.find(shownName(), start.size()), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_TRUE(message.ends_with('.')) << message;
    EXPECT_TRUE(std::all_of(message.begin(), message.end(), [](char c) {
        return c >= 0x20 && c < 0x7f;
    })) << message;
}

QRgb BoardTest::pixel(int x, int y) {
    showChanges();
    return surface.image().pixel(x, y);
}

void BoardTest::drag(float fromX, float fromY, float toX, float toY, int button) {
    mouse.mouseDown(button, 0, fromX, fromY);
    mouse.mouseMove(button, 0, toX, toY);
    mouse.mouseUp(button, 0, toX, toY);
}

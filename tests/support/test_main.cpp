#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Widget tests need an application object; the board tests run without a display, on two
// offscreen screens side by side, the second at twice the scale, and never touch the user's
// real position file.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TWO_SCREENS);
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("draughtsboard"));
    return RUN_ALL_TESTS();
}

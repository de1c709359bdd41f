#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Widget tests need an application object; the board tests run without a display
// (QT_QPA_PLATFORM=offscreen) and never touch the user's real position file.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("draughtsboard"));
    return RUN_ALL_TESTS();
}

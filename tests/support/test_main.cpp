#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

// Widget tests need an application object; the board tests run without a display, on two
// offscreen screens side by side, the second at twice the scale, and never touch the user's
// real position file.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TWO_SCREENS);
    }
    // Without a private runtime folder Qt makes one of its own in the temporary folder and
    // leaves it there.
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("draughtsboard"));
    return RUN_ALL_TESTS();
}

#include <QApplication>
#include <cstdio>

#include "main_window.h"
#include "platform/position_file_location.h"

int main(int argc, char* argv[]) {
#ifdef Q_OS_LINUX
    // Without a display Qt would abort; say what is wrong instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(
            "draughtsboard needs a graphical display, and none was found (DISPLAY and "
            "WAYLAND_DISPLAY are unset); try: xvfb-run -a draughtsboard\n",
            stderr);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("draughtsboard"));
    // Names the menu entry, so that a Wayland desktop shows the window with its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(APP_ID));

    MainWindow window(positionFileLocation());
    window.show();
    return QApplication::exec();
}

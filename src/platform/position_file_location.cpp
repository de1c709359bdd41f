#include "platform/position_file_location.h"

#include <QStandardPaths>
#include <QStringDecoder>

PositionFileLocation positionFileLocation() {
#ifdef Q_OS_WIN
    // Ordinary users may not create files in the root of drive C.
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                "/draughtsboard/Videver.txt",
            "c:/Videver.txt",
            {}};
#else
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QByteArray home = qgetenv("HOME");
    const QByteArray folder = dataHome.startsWith('/') ? dataHome : home + "/.local/share";
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString path = utf8.decode(folder + "/draughtsboard/Videver.txt");
    if (!dataHome.startsWith('/') && !home.startsWith('/')) {
        return {{},
                {},
                "there is no home folder to keep it in (neither HOME nor XDG_DATA_HOME is "
                "an absolute path)"};
    }
    if (utf8.hasError()) {
        return {{}, {}, "the name of its folder (from HOME or XDG_DATA_HOME) is not UTF-8 text"};
    }
    return {path, {}, {}};
#endif
}

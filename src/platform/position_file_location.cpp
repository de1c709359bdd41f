#include "platform/position_file_location.h"

#include <QDir>
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
    if (!dataHome.startsWith('/') && !home.startsWith('/')) {
        return {{},
                {},
                "there is no home folder to keep it in (neither HOME nor XDG_DATA_HOME is "
                "an absolute path)"};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString folder =
        utf8.decode(dataHome.startsWith('/') ? dataHome : home + "/.local/share");
    if (utf8.hasError()) {
        return {{}, {}, "the name of its folder (from HOME or XDG_DATA_HOME) is not UTF-8 text"};
    }
    // A folder named through one that does not exist (foo/..) is found without making that one.
    return {QDir::cleanPath(folder + "/draughtsboard/Videver.txt"), {}, {}};
#endif
}

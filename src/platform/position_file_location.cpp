#include "platform/position_file_location.h"

#include <QtGlobal>

namespace {
bool isAbsolute(const QByteArray& path) {
    return path.startsWith('/');
}
}  // namespace

std::optional<QByteArray> positionFileLocation() {
#ifdef Q_OS_WIN
    return QByteArray("c:\\Videver.txt");
#else
    QByteArray dataFolder = qgetenv("XDG_DATA_HOME");
    if (!isAbsolute(dataFolder)) {
        const QByteArray home = qgetenv("HOME");
        if (!isAbsolute(home)) {
            return std::nullopt;
        }
        dataFolder = home + "/.local/share";
    }
    return dataFolder + "/draughtsboard/Videver.txt";
#endif
}

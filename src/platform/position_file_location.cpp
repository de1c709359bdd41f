#include "platform/position_file_location.h"

#include <QStandardPaths>

QString positionFileLocation() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\Videver.txt");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Videver.txt");
#endif
}

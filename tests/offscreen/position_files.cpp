#include "offscreen/position_files.h"

#include <QFile>

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QList<QByteArray> startingPositionLines(int side, int radius) {
    const auto line = [](int a, int b, int c) {
        return ' ' + QByteArray::number(a) + "  " + QByteArray::number(b) + "  " +
               QByteArray::number(c) + " \r\n";
    };
    QList<QByteArray> lines{line(side, side, radius)};
    for (int trayLine = 0; trayLine < 8; ++trayLine) {
        lines += line(0, 0, 0);
    }
    for (const int row : {0, 1, 2, 5, 6, 7}) {
        for (int column = row % 2; column < 8; column += 2) {
            lines += line(side * column + side / 2, side * row + side / 2, row <= 2 ? 1 : 2);
        }
    }
    return lines;
}

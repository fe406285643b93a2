#include "framework/qt/resources.h"

#include <QFile>

// A bitmap resource: an uncompressed .bmp where the picture is drawn often, else a .png.
QPixmap LoadBitmapResource(UINT id) {
    const QString bmp = QStringLiteral(":/res/bitmap%1.bmp").arg(id);
    return QPixmap(QFile::exists(bmp) ? bmp : QStringLiteral(":/res/bitmap%1.png").arg(id));
}

QIcon LoadIconResource(UINT id) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/res/icon%1-%2.png").arg(id).arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

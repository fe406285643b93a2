#include "resources.h"

#include <QFile>

QPixmap LoadBitmapResource(UINT id) {
    return QPixmap(QStringLiteral(":/res/bitmap%1.png").arg(id));
}

QIcon LoadIconResource(UINT id) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 256}) {
        const QString file = QStringLiteral(":/res/icon%1-%2.png").arg(id).arg(size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

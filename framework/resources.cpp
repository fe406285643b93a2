#include "resources.h"

QPixmap LoadBitmapResource(UINT id) {
    return QPixmap(QStringLiteral(":/res/bitmap%1.png").arg(id));
}

QIcon LoadIconResource(UINT id) {
    return QIcon(QStringLiteral(":/res/icon%1.png").arg(id));
}

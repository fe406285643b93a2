#include "framework/qt/resources.h"

#include <QFile>
#include <QImageReader>

namespace {

// The format is known from the name, so no image plugin is loaded to guess it.
QPixmap ReadPicture(const QString& file, const char* format) {
    QImageReader reader(file, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

// A bitmap resource: an uncompressed .bmp where the picture is drawn often, else a .png.
QPixmap LoadBitmapResource(UINT id) {
    const QString bmp = QStringLiteral(":/res/bitmap%1.bmp").arg(id);
    if (QFile::exists(bmp))
        return ReadPicture(bmp, "bmp");
    return ReadPicture(QStringLiteral(":/res/bitmap%1.png").arg(id), "png");
}

QIcon LoadIconResource(UINT id, int largest) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/res/icon%1-%2.png").arg(id).arg(size);
        if (size <= largest && QFile::exists(file))
            icon.addPixmap(ReadPicture(file, "png"));
    }
    return icon;
}

#include "framework/qt/resources.h"

#include <QFile>
#include <QImageReader>
#include <QResource>
#include <QtEndian>

#include <cstdint>

namespace {

// The format is known from the name, so no image plugin is loaded to guess it.
QImage ReadPicture(const QString& file, const char* format) {
    QImageReader reader(file, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

constexpr qsizetype kHeadersEnd = 14 + 40; // BITMAPFILEHEADER and BITMAPINFOHEADER

// The bitmap's pixels as QImage lays them out, or none. Each pixel is blue, green, red and,
// in 32 bits, a fourth byte: unused (the build writes 255) unless masks name it alpha.
QImage::Format FormatOf(const uchar* file, qsizetype size, quint32 infoSize, quint16 bits,
                        quint32 compression) {
    constexpr quint32 kRgb = 0, kBitFields = 3, kVersion4 = 108;
    if (infoSize < 40)
        return QImage::Format_Invalid;
    if (bits == 24 && compression == kRgb)
        return QImage::Format_BGR888;
    if (bits == 32 && compression == kRgb)
        return QImage::Format_RGB32;
    if (bits != 32 || compression != kBitFields || infoSize < kVersion4 || size < 14 + 56)
        return QImage::Format_Invalid;
    const quint32 masks[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}; // r, g, b, a
    for (int i = 0; i < 4; ++i)
        if (qFromLittleEndian<quint32>(file + 54 + 4 * i) != masks[i])
            return QImage::Format_Invalid;
    return QImage::Format_ARGB32;
}

// A picture the build stored as a view is seen in place; else the .bmp or the .png is decoded.
QImage LoadPicture(const QString& name) {
    const QString bmp = name + QStringLiteral(".bmp");
    const QResource resource(bmp);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        QImage view = ViewOfBitmap(resource.data(), resource.size());
        if (!view.isNull())
            return view;
    }
    if (QFile::exists(bmp))
        return ReadPicture(bmp, "bmp");
    return ReadPicture(name + QStringLiteral(".png"), "png");
}

} // namespace

QImage ViewOfBitmap(const uchar* file, qsizetype size) {
    if (!file || size < kHeadersEnd || file[0] != 'B' || file[1] != 'M')
        return {};
    const auto offset = qFromLittleEndian<quint32>(file + 10);
    const auto infoSize = qFromLittleEndian<quint32>(file + 14);
    const auto width = qFromLittleEndian<qint32>(file + 18);
    const auto height = qFromLittleEndian<qint32>(file + 22);
    const auto bits = qFromLittleEndian<quint16>(file + 28);
    const auto compression = qFromLittleEndian<quint32>(file + 30);
    const QImage::Format format = FormatOf(file, size, infoSize, bits, compression);
    // A bottom-up bitmap would need its rows turned over, which is a copy.
    if (format == QImage::Format_Invalid || width <= 0 || width > 32767 || height >= 0 ||
        height < -32767 || offset < 14 + qsizetype{infoSize})
        return {};
    const qsizetype stride = (qsizetype{width} * (bits / 8) + 3) & ~qsizetype{3};
    if (offset > size || (size - offset) / stride < -qsizetype{height})
        return {};
    const uchar* pixels = file + offset;
    const QImage view(pixels, width, -height, stride, format);
    // QImage wants its rows 32-bit aligned; a bitmap that lies otherwise is copied.
    return reinterpret_cast<std::uintptr_t>(pixels) % 4 == 0 ? view : view.copy();
}

QImage LoadBitmapResource(UINT id) {
    return LoadPicture(QStringLiteral(":/res/bitmap%1").arg(id));
}

QIcon LoadIconResource(UINT id, int largest) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        if (size > largest)
            break;
        const QImage image = LoadPicture(QStringLiteral(":/res/icon%1-%2").arg(id).arg(size));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

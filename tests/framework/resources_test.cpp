#include "framework/qt/resources.h"

#include <QImageReader>
#include <QResource>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<uchar>& file, size_t at, quint32 value) {
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<uchar>(value >> (8 * i));
}

enum class Kind { Rgb24, Rgb32, Argb32 };

// A bitmap of 3 × 2 pixels, rows from the top, each pixel's blue its x and red its y; with
// alpha, a version 4 header whose masks say so, and alpha 200.
std::vector<uchar> TopDownBitmap(Kind kind, quint32 offset) {
    const quint32 stride = 12; // 9 bytes of pixels padded to 4, or 12 bytes
    const quint32 bytes = kind == Kind::Rgb24 ? 3 : 4;
    std::vector<uchar> file(offset + stride * 2, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<quint32>(file.size()));
    Put32(file, 10, offset);
    Put32(file, 14, kind == Kind::Argb32 ? 108 : 40);
    Put32(file, 18, 3);
    Put32(file, 22, static_cast<quint32>(-2));
    file[26] = 1;                             // planes
    file[28] = static_cast<uchar>(bytes * 8); // bits per pixel
    if (kind == Kind::Argb32) {
        Put32(file, 30, 3); // bit fields
        const quint32 masks[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        for (size_t i = 0; i < 4; ++i)
            Put32(file, 54 + 4 * i, masks[i]);
    }
    for (quint32 y = 0; y < 2; ++y)
        for (quint32 x = 0; x < 3; ++x) {
            uchar* pixel = &file[offset + y * stride + x * bytes];
            pixel[0] = static_cast<uchar>(x * 50);  // blue
            pixel[1] = 7;                           // green
            pixel[2] = static_cast<uchar>(y * 100); // red
            if (bytes == 4)
                pixel[3] = kind == Kind::Argb32 ? 200 : 255;
        }
    return file;
}

TEST(BitmapView, SeesTopDownPixelsInPlaceAndRefusesWhatItCannot) {
    struct Case {
        const char* what;
        Kind kind;
        size_t at; // 0: the bitmap as made
        quint32 value;
        bool cut = false;
    };
    const Case refused[] = {
        {"not a bitmap", Kind::Rgb24, 0, 0x4d43}, // "CM"
        {"bottom-up", Kind::Rgb24, 22, 2},
        {"16-bit", Kind::Rgb24, 28, 16},
        {"run-length compressed", Kind::Rgb24, 30, 1},
        {"no width", Kind::Rgb24, 18, 0},
        {"pixels beyond the end", Kind::Rgb24, 10, 1000},
        {"pixels inside the header", Kind::Rgb24, 10, 20},
        {"cut short", Kind::Rgb24, 0, 0, true},
        {"masks in another order", Kind::Argb32, 54, 0x000000FF},
        {"no alpha mask", Kind::Argb32, 66, 0},
        {"masks beyond a short header", Kind::Argb32, 14, 40},
    };
    for (const Case& c : refused) {
        std::vector<uchar> file = TopDownBitmap(c.kind, 128);
        if (c.cut)
            file.resize(file.size() - 1);
        else if (c.at == 0)
            std::memcpy(file.data(), &c.value, 2);
        else if (c.at == 28)
            file[28] = static_cast<uchar>(c.value);
        else
            Put32(file, c.at, c.value);
        EXPECT_TRUE(ViewOfBitmap(file.data(), static_cast<qsizetype>(file.size())).isNull())
            << c.what;
    }
    // Aligned rows are seen where they lie; others are copied, with the same pixels.
    alignas(16) uchar buffer[128 + 24 + 1];
    for (Kind kind : {Kind::Rgb24, Kind::Rgb32, Kind::Argb32})
        for (quint32 offset : {128u, 127u}) {
            const std::vector<uchar> file = TopDownBitmap(kind, offset);
            uchar* at = buffer + (offset == 128 ? 0 : 2);
            std::memcpy(at, file.data(), file.size());
            const QImage view = ViewOfBitmap(at, static_cast<qsizetype>(file.size()));
            const int kindNumber = static_cast<int>(kind);
            ASSERT_EQ(view.size(), QSize(3, 2)) << kindNumber << " at " << offset;
            EXPECT_EQ(view.hasAlphaChannel(), kind == Kind::Argb32) << kindNumber;
            EXPECT_EQ(view.constBits() == at + offset, offset == 128) << offset;
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    EXPECT_EQ(view.pixelColor(x, y),
                              QColor(y * 100, 7, x * 50, kind == Kind::Argb32 ? 200 : 255))
                        << kindNumber << " at " << offset << ": " << x << "," << y;
        }
}

// The program's own bitmaps are stored so that they are seen in place, and look exactly as
// they do decoded.
TEST(BitmapView, TheProgramsBitmapsAreSeenInPlace) {
    for (UINT id : {150u, 151u}) {
        const QString name = QStringLiteral(":/res/bitmap%1.bmp").arg(id);
        const QResource resource(name);
        const QImage view = LoadBitmapResource(id);
        ASSERT_FALSE(view.isNull()) << id;
        EXPECT_GE(view.constBits(), resource.data()) << id;
        EXPECT_LT(view.constBits(), resource.data() + resource.size()) << id;
        QImageReader reader(name, "bmp");
        EXPECT_EQ(view.convertToFormat(QImage::Format_RGB32), reader.read()) << id;
    }
}

// So are the icons, every size with the pixels and the alpha of its picture.
TEST(BitmapView, TheProgramsIconsAreSeenInPlace) {
    const QIcon icon = LoadIconResource(128);
    ASSERT_EQ(icon.availableSizes().size(), 7);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QResource resource(QStringLiteral(":/res/icon128-%1.bmp").arg(size));
        const QImage view = ViewOfBitmap(resource.data(), resource.size());
        EXPECT_EQ(view.constBits(), resource.data() + 128) << size;
        const QImage picture(
            QStringLiteral(WORDMILL_SOURCE_DIR "/res/images/icon128-%1.png").arg(size));
        ASSERT_EQ(picture.size(), QSize(size, size));
        EXPECT_EQ(view, picture.convertToFormat(QImage::Format_ARGB32)) << size;
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  picture.convertToFormat(QImage::Format_ARGB32))
            << size;
    }
}

} // namespace

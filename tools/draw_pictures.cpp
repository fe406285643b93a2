// Draws the program's pictures: draw_pictures OUT_DIR. The PNGs in res/images come from
// this tool; run it again after changing a picture here.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

const QColor kDeep(0x2f, 0x6f, 0x4f);
const QColor kLeaf(0x4f, 0x9a, 0x73);
const QColor kPaper(0xf4, 0xf6, 0xf3);

// Four sails of a mill around `centre`, turned by `turn` degrees.
void DrawSails(QPainter& p, QPointF centre, double radius, double turn, const QColor& colour) {
    p.save();
    p.translate(centre);
    p.rotate(turn);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 4; ++i) {
        QPainterPath sail;
        sail.moveTo(0, 0);
        sail.lineTo(radius * 0.18, -radius * 0.15);
        sail.lineTo(radius * 0.30, -radius);
        sail.lineTo(radius * 0.02, -radius * 0.98);
        sail.closeSubpath();
        p.drawPath(sail);
        p.rotate(90);
    }
    p.drawEllipse(QPointF(0, 0), radius * 0.1, radius * 0.1);
    p.restore();
}

QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size);
    fill.setColorAt(0, kLeaf);
    fill.setColorAt(1, kDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const double m = size * 0.04;
    p.drawRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.2, size * 0.2);
    DrawSails(p, QPointF(size / 2.0, size / 2.0), size * 0.38, 20, QColor(255, 255, 255, 235));
    return image;
}

QImage Background() {
    QImage image(670, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 600);
    fill.setColorAt(0, kPaper);
    fill.setColorAt(1, QColor(0xdc, 0xe8, 0xe0));
    p.fillRect(image.rect(), fill);
    // Faint ruled lines, like an exercise book.
    p.setPen(QPen(QColor(0x2f, 0x6f, 0x4f, 22), 1));
    for (int y = 236; y < 600; y += 26)
        p.drawLine(0, y, 670, y);
    QRadialGradient glow(QPointF(600, 560), 260);
    glow.setColorAt(0, QColor(0x4f, 0x9a, 0x73, 45));
    glow.setColorAt(1, QColor(0x4f, 0x9a, 0x73, 0));
    p.fillRect(image.rect(), glow);
    DrawSails(p, QPointF(612, 540), 70, 12, QColor(0x2f, 0x6f, 0x4f, 28));
    return image;
}

QImage Banner() {
    QImage image(670, 218, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, 670, 218);
    fill.setColorAt(0, kDeep);
    fill.setColorAt(1, kLeaf);
    p.fillRect(image.rect(), fill);
    // The mill on a low hill.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(QPointF(120, 300), 190, 120);
    p.setBrush(QColor(255, 255, 255, 220));
    QPainterPath tower;
    tower.moveTo(104, 200);
    tower.lineTo(114, 112);
    tower.lineTo(126, 112);
    tower.lineTo(136, 200);
    tower.closeSubpath();
    p.drawPath(tower);
    DrawSails(p, QPointF(120, 108), 78, 24, QColor(255, 255, 255, 235));

    p.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(64);
    p.setFont(title);
    p.drawText(QRectF(240, 34, 420, 80), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Wordmill"));
    QFont line(QStringLiteral("WenQuanYi Micro Hei"));
    line.setPixelSize(24);
    p.setFont(line);
    p.drawText(QRectF(244, 118, 420, 36), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("大学英语四六级背单词"));
    line.setPixelSize(17);
    p.setFont(line);
    p.setPen(QColor(255, 255, 255, 210));
    p.drawText(QRectF(246, 156, 420, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("每天一点 · 错词三天后再来 · 坚持就是胜利"));
    return image;
}

bool Save(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_pictures OUT_DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = Save(Banner(), out, QStringLiteral("bitmap150.png")) &&
              Save(Background(), out, QStringLiteral("bitmap151.bmp"));
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = ok && Save(Icon(size), out, QStringLiteral("icon128-%1.png").arg(size));
    return ok ? 0 : 1;
}

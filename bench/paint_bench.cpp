// The main window loads its background picture again for every paint and stretches it
// over the client area: the cost of one load, and of a whole paint of the background; and
// the banner, filtered to its control's size.
#include "framework/qt/resources.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_LoadBackgroundForOnePaint(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBitmapResource(151).isNull());
}
BENCHMARK(BM_LoadBackgroundForOnePaint)->Unit(benchmark::kMillisecond);

// Onto a window of the main window's size at 96 dots per inch, as its paint does.
void BM_PaintBackground(benchmark::State& state) {
    QImage window(782, 446, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(window.rect(), LoadBitmapResource(151));
    }
}
BENCHMARK(BM_PaintBackground)->Unit(benchmark::kMillisecond);

// Onto its control at 96 dots per inch (782 × 254 from 670 × 218), as the picture control
// draws it.
void BM_PaintBanner(benchmark::State& state) {
    QImage window(782, 446, QImage::Format_RGB32);
    const QImage banner = LoadBitmapResource(150);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, 782, 254), banner);
    }
    state.SetLabel(banner.depth() == 32 ? "32-bit" : "24-bit");
}
BENCHMARK(BM_PaintBanner)->Unit(benchmark::kMillisecond);

// The same picture decoded from scratch, as a platform without a pixmap cache would:
// the file named on the command line after --decode (a PNG, say), else the resource.
const char* g_decode = ":/res/bitmap151.bmp";
void BM_DecodeBackground(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(QImage(QString::fromLocal8Bit(g_decode)).isNull());
    state.SetLabel(g_decode);
}
BENCHMARK(BM_DecodeBackground)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--decode")
            g_decode = argv[i + 1];
    benchmark::Initialize(&argc, argv); // leaves our own --decode alone
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

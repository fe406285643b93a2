// The floor for start-up: a bare Qt 6 widget window that reports its first paint the way
// Wordmill's start-up probe does, and ends.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <chrono>
#include <cstdio>

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("wordmill-first-paint-ns %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QApplication::exit(0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(640, 400);
    window.show();
    return QApplication::exec();
}

// The floor for start-up: a bare Qt 6 widget window that reports its first paint the way
// Wordmill's start-up probe does, and ends. With --text it also draws one line in the CJK
// face Wordmill uses, which is what any window with Chinese text pays for its fonts.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstring>

class BareWindow : public QWidget {
public:
    explicit BareWindow(bool withText) : m_withText(withText) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (m_withText) {
            QFont font(QStringLiteral("WenQuanYi Micro Hei"));
            font.setPixelSize(12);
            painter.setFont(font);
            painter.drawText(24, 40, QStringLiteral("浏览背单词 Wordmill"));
        }
        // Once the frame is on the screen, as Wordmill's probe reports it.
        if (m_reported)
            return;
        m_reported = true;
        QTimer::singleShot(0, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("wordmill-first-paint-ns %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }

private:
    bool m_withText;
    bool m_reported = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window(argc > 1 && std::strcmp(argv[1], "--text") == 0);
    window.resize(640, 400);
    window.show();
    return QApplication::exec();
}

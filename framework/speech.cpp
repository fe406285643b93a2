#include "speech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>

#include <utility>


namespace {

QTextToSpeech* g_engine = nullptr;

// The engine goes with the application, before Qt's own objects do.
void ReleaseEngine() {
    delete g_engine;
    g_engine = nullptr;
}

// Made on first use only, so that start-up never waits for the engine.
class DesktopSpeech : public SpeechService {
public:
    std::string Unavailable() override {
        Start();
        return m_unavailable;
    }

    void Say(const std::string& englishWord) override {
        if (Unavailable().empty() && !englishWord.empty())
            g_engine->say(QString::fromStdString(englishWord));
    }

private:
    void Start() {
        if (m_started)
            return;
        m_started = true;
        if (!QCoreApplication::instance()) {
            m_unavailable = "无法发音";
            return;
        }
        if (QTextToSpeech::availableEngines().isEmpty()) {
            m_unavailable = "没有安装语音引擎，无法发音";
            return;
        }
        g_engine = new QTextToSpeech;
        qAddPostRoutine(ReleaseEngine);
        if (g_engine->state() == QTextToSpeech::Error) {
            m_unavailable = "语音引擎无法启动，无法发音";
            return;
        }
        for (const QLocale& locale : g_engine->availableLocales()) {
            if (locale.language() == QLocale::English) {
                g_engine->setLocale(locale);
                return;
            }
        }
        m_unavailable = "没有英语语音，无法发音";
    }

    bool m_started = false;
    std::string m_unavailable;
};

SpeechService* g_speech = nullptr;

} // namespace

SpeechService& GetSpeechService() {
    static DesktopSpeech real;
    return g_speech ? *g_speech : real;
}

SpeechService* SetSpeechService(SpeechService* service) { return std::exchange(g_speech, service); }

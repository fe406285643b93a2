#include "framework/speech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

#include <mutex>
#include <utility>

namespace {

// The engine lives on a thread of its own: connecting to it can take seconds, or never
// finish when the speech service is stuck, and the window must not wait for it.
class DesktopSpeech : public SpeechService {
public:
    void Prepare() override {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Idle || !QCoreApplication::instance())
            return;
        m_state = State::Starting;
        // Never deleted: a thread stuck in the engine may still run when the program ends.
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("speech"));
        m_thread->start();
        m_worker = new QObject;
        m_worker->moveToThread(m_thread);
        QMetaObject::invokeMethod(m_worker, [this] { StartEngine(); });
        qAddPostRoutine(&DesktopSpeech::Stop);
    }

    std::string Unavailable() override {
        Prepare();
        std::lock_guard lock(m_mutex);
        switch (m_state) {
        case State::Ready:
            return {};
        case State::Failed:
            return m_why;
        default:
            return "语音引擎正在启动，请稍候";
        }
    }

    void Say(const std::string& englishWord) override {
        if (!Unavailable().empty() || englishWord.empty())
            return;
        const QString text = QString::fromStdString(englishWord);
        QMetaObject::invokeMethod(m_worker, [this, text] { m_engine->say(text); });
    }

    static DesktopSpeech& Instance() {
        static DesktopSpeech speech;
        return speech;
    }

private:
    enum class State { Idle, Starting, Ready, Failed };

    // On the speech thread.
    void StartEngine() {
        std::string why;
        if (QTextToSpeech::availableEngines().isEmpty()) {
            why = "没有安装语音引擎，无法发音";
        } else {
            m_engine = new QTextToSpeech;
            if (m_engine->state() == QTextToSpeech::Error)
                why = "语音引擎无法启动，无法发音";
            else if (!ChooseEnglish())
                why = "没有英语语音，无法发音";
        }
        std::lock_guard lock(m_mutex);
        m_why = why;
        m_state = why.empty() ? State::Ready : State::Failed;
    }

    bool ChooseEnglish() {
        for (const QLocale& locale : m_engine->availableLocales()) {
            if (locale.language() == QLocale::English) {
                m_engine->setLocale(locale);
                return true;
            }
        }
        return false;
    }

    // With the application: the engine goes on its own thread, if that thread answers.
    static void Stop() {
        DesktopSpeech& self = Instance();
        QMetaObject::invokeMethod(self.m_worker, [&self] {
            delete self.m_engine;
            self.m_engine = nullptr;
            QThread::currentThread()->quit();
        });
        self.m_thread->wait(1000);
    }

    std::mutex m_mutex;
    State m_state = State::Idle;
    std::string m_why;
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr;
    QTextToSpeech* m_engine = nullptr; // used on the speech thread only
};

SpeechService* g_speech = nullptr;

} // namespace

SpeechService& GetSpeechService() {
    return g_speech ? *g_speech : DesktopSpeech::Instance();
}

SpeechService* SetSpeechService(SpeechService* service) {
    return std::exchange(g_speech, service);
}

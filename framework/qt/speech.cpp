#include "framework/speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
        if (m_started || !QCoreApplication::instance())
            return;
        m_started = true;
        m_state = SpeechState::Starting;
        m_clock.start();
        // Never deleted: a thread stuck in the engine may still run when the program ends.
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("speech"));
        m_thread->start();
        m_worker = new QObject;
        m_worker->moveToThread(m_thread);
        QMetaObject::invokeMethod(m_worker, [this] { StartEngine(); });
        qAddPostRoutine(&DesktopSpeech::Stop);
    }

    SpeechState State() override {
        Prepare();
        std::lock_guard lock(m_mutex);
        return StartState(m_state, m_clock.isValid() ? m_clock.elapsed() : 0);
    }

    void Say(const std::string& englishWord) override {
        if (!CanTry(State()) || englishWord.empty())
            return;
        const QString text = QString::fromStdString(englishWord);
        QMetaObject::invokeMethod(m_worker, [this, text] { m_engine->say(text); });
    }

    static DesktopSpeech& Instance() {
        static DesktopSpeech speech;
        return speech;
    }

private:
    // On the speech thread.
    void StartEngine() {
        SpeechState state = SpeechState::Ready;
        if (QTextToSpeech::availableEngines().isEmpty()) {
            state = SpeechState::NoEngine;
        } else {
            m_engine = new QTextToSpeech;
            if (m_engine->state() == QTextToSpeech::Error)
                state = SpeechState::EngineFailed;
            else if (!ChooseEnglish())
                state = SpeechState::NoEnglishVoice;
            // A word that cannot sound (no audio output, the engine failing) says so.
            QObject::connect(m_engine, &QTextToSpeech::stateChanged, m_engine,
                             [this](QTextToSpeech::State now) {
                                 std::lock_guard lock(m_mutex);
                                 if (now == QTextToSpeech::Error)
                                     m_state = SpeechState::CannotSound;
                                 else if (now == QTextToSpeech::Speaking)
                                     m_state = SpeechState::Ready; // it sounds again
                             });
        }
        std::lock_guard lock(m_mutex);
        m_state = state;
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
        {
            std::lock_guard lock(self.m_mutex);
            if (self.m_state == SpeechState::Starting)
                return; // stuck in the engine: the program does not wait for it
        }
        QMetaObject::invokeMethod(self.m_worker, [&self] {
            delete self.m_engine;
            self.m_engine = nullptr;
            QThread::currentThread()->quit();
        });
        self.m_thread->wait(1000);
    }

    std::mutex m_mutex;
    bool m_started = false;
    QElapsedTimer m_clock; // since the start began
    SpeechState m_state = SpeechState::Starting;
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

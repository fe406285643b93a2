// The first spoken word: how long the speech engine takes to come up behind the program's
// speech service, and from a word handed to a ready engine until it speaks. Each round
// starts a new engine, so every word is a first word.
//
// usage: first_word [ROUNDS]   (needs a speech engine: speech-dispatcher with espeak-ng)
// Without an audio device speech-dispatcher may stop answering after its first word; there,
// run one round against a freshly started dispatcher.
#include "framework/speech.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextToSpeech>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Runs the event loop until `done` holds or `limitMs` passes; false on the deadline.
template <typename Done> bool AwaitFor(Done done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

double FirstWordMs() {
    QTextToSpeech engine;
    if (!AwaitFor([&] { return engine.state() != QTextToSpeech::Error; }, 5000))
        return -1;
    for (const QLocale& locale : engine.availableLocales())
        if (locale.language() == QLocale::English) {
            engine.setLocale(locale);
            break;
        }
    bool speaking = false;
    QObject::connect(&engine, &QTextToSpeech::stateChanged, [&](QTextToSpeech::State state) {
        speaking |= state == QTextToSpeech::Speaking;
    });
    QElapsedTimer clock;
    clock.start();
    engine.say(QStringLiteral("abandon"));
    if (!AwaitFor([&] { return speaking; }, 5000))
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;

    QElapsedTimer clock;
    clock.start();
    SpeechService& speech = GetSpeechService();
    speech.Prepare();
    AwaitFor([&] { return speech.State() != SpeechState::Starting; }, 10000);
    std::printf("speech service: state %d after %lld ms\n", static_cast<int>(speech.State()),
                static_cast<long long>(clock.elapsed()));

    std::vector<double> words;
    for (int i = 0; i < rounds; ++i) {
        const double ms = FirstWordMs();
        if (ms < 0) {
            std::printf("round %d: the engine never spoke\n", i + 1);
            return 1;
        }
        words.push_back(ms);
    }
    std::printf("first word, from say() to speaking: median %.1f ms, max %.1f ms (%d engines)\n",
                Median(words), *std::max_element(words.begin(), words.end()), rounds);
    return 0;
}

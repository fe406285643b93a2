// Saying an English word aloud. Behind a small interface that tests (or another
// platform) can replace; the real one uses the desktop's text-to-speech engine.
#pragma once

#include <string>

// Whether words can be said, and if not, why: the caller words it for the learner.
enum class SpeechState {
    Ready,
    Starting,
    NoEngine,
    EngineFailed,
    NoEnglishVoice,
    StartTimedOut, // the engine did not come up within the deadline
    CannotSound,   // the last word could not be said (no audio output, an engine error)
};

// How long an engine may take to start before the learner is told it will not.
inline constexpr int kSpeechStartDeadlineMs = 5000;

// What a start that began `elapsedMs` ago amounts to, given what the engine says now.
inline SpeechState StartState(SpeechState engine, long long elapsedMs) {
    return engine == SpeechState::Starting && elapsedMs >= kSpeechStartDeadlineMs
               ? SpeechState::StartTimedOut
               : engine;
}

// Whether saying a word is worth trying: a word that could not sound may sound next time.
inline bool CanTry(SpeechState state) {
    return state == SpeechState::Ready || state == SpeechState::CannotSound;
}

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Starts the engine in the background, so that it is ready by the first word.
    virtual void Prepare() {}
    virtual SpeechState State() = 0;
    virtual void Say(const std::string& englishWord) = 0;
};

SpeechService& GetSpeechService();
// nullptr restores the real one; returns the one in use before.
SpeechService* SetSpeechService(SpeechService* service);

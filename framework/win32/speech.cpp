#include "framework/speech.h"

#include "framework/win32/wide.h"

#include <initguid.h>

#include <sapi.h>

#include <utility>

namespace {

// SAPI, the system's own voices; an English one says the words.
class SapiSpeech : public SpeechService {
public:
    void Prepare() override {
        if (m_started)
            return;
        m_started = true;
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, __uuidof(ISpVoice),
                                    reinterpret_cast<void**>(&m_voice))) ||
            !m_voice) {
            m_state = SpeechState::NoEngine;
            return;
        }
        m_state = ChooseEnglish() ? SpeechState::Ready : SpeechState::NoEnglishVoice;
    }

    SpeechState State() override {
        Prepare();
        return m_state;
    }

    void Say(const std::string& englishWord) override {
        if (!CanTry(State()) || englishWord.empty())
            return;
        if (FAILED(m_voice->Speak(Wide(englishWord).c_str(),
                                  SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr)))
            m_state = SpeechState::CannotSound;
    }

private:
    // The first voice for English (US, then UK), set as the one to speak with.
    bool ChooseEnglish() {
        ISpObjectTokenCategory* category = nullptr;
        if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                    __uuidof(ISpObjectTokenCategory),
                                    reinterpret_cast<void**>(&category))))
            return false;
        bool found = false;
        if (SUCCEEDED(category->SetId(SPCAT_VOICES, FALSE)))
            for (const wchar_t* language : {L"Language=409", L"Language=809"}) {
                IEnumSpObjectTokens* tokens = nullptr;
                ISpObjectToken* token = nullptr;
                if (SUCCEEDED(category->EnumTokens(language, nullptr, &tokens)) && tokens &&
                    tokens->Next(1, &token, nullptr) == S_OK && token) {
                    found = SUCCEEDED(m_voice->SetVoice(token));
                    token->Release();
                }
                if (tokens)
                    tokens->Release();
                if (found)
                    break;
            }
        category->Release();
        return found;
    }

    bool m_started = false;
    SpeechState m_state = SpeechState::Starting;
    ISpVoice* m_voice = nullptr;
};

SpeechService* g_speech = nullptr;

} // namespace

SpeechService& GetSpeechService() {
    static SapiSpeech sapi;
    return g_speech ? *g_speech : sapi;
}

SpeechService* SetSpeechService(SpeechService* service) {
    return std::exchange(g_speech, service);
}

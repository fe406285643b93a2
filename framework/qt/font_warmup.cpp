#include "framework/qt/font_warmup.h"

#include <fontconfig/fontconfig.h>

#include <future>

namespace {

// A future from std::async waits for its thread when destroyed, so even a program that
// exits early never leaves the thread running into static destruction.
std::future<void>& Reading() {
    static std::future<void> reading;
    return reading;
}

} // namespace

// Qt's font database calls FcInit too; once this one has finished, that call finds the
// configuration loaded and returns at once. Fontconfig is thread-safe, so a window that
// measures text before waiting only reads it twice.
void StartReadingFontConfiguration() {
    if (!Reading().valid())
        Reading() = std::async(std::launch::async, [] { FcInit(); });
}

void WaitForFontConfiguration() {
    if (Reading().valid())
        Reading().get();
}

// Entry of the GUI test programs: headless unless a display is asked for.
#include "res/templates.h"
#include "support/speech_double.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // No test may touch the learner's own autostart folder.
    char configHome[] = "/tmp/wordmill-test-config-XXXXXX";
    if (mkdtemp(configHome))
        setenv("XDG_CONFIG_HOME", configHome, 1);
    ::testing::InitGoogleTest(&argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wordmill"));
    QApplication::setQuitOnLastWindowClosed(false);
    SetDialogTemplates(ProgramDialogTemplate);
    FakeSpeech silent; // no test speaks through the desktop unless it asks to
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(configHome, ec);
    return result;
}

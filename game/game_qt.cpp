// The shared library "game" on Qt: one export that announces the word game.
#include "framework/msgbox.h"
#include "game/game_app.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

CGameApp::CGameApp() : CWinApp(nullptr) {}
CGameApp::~CGameApp() = default;

namespace {
CGameApp theGameApp; // made when the library is loaded, gone when it is unloaded
} // namespace

namespace {

constexpr const char* kAnnouncement = "游戏正在开发...看我的博客更新";

// Whether a GUI application could be made here without Qt ending the process.
bool DisplayReachable() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

#if defined(_WIN32)
#define GAME_EXPORT __declspec(dllexport)
#else
#define GAME_EXPORT __attribute__((visibility("default")))
#endif

extern "C" GAME_EXPORT void game() {
    QCoreApplication* host = QCoreApplication::instance();
    // A host without widgets (or without a display) cannot show a box: say it on stderr.
    if ((host && !qobject_cast<QApplication*>(host)) || (!host && !DisplayReachable())) {
        std::fprintf(stderr, "%s\n", kAnnouncement);
        return;
    }
    // A caller without a GUI application gets one for the length of the call only, and
    // its C locale back afterwards (making the application changes it).
    std::unique_ptr<QApplication> own;
    std::string locale;
    if (!host) {
        locale = std::setlocale(LC_ALL, nullptr);
        static int argc = 1;
        static char name[] = "game";
        static char* argv[] = {name, nullptr};
        own = std::make_unique<QApplication>(argc, argv);
    }
    AfxMessageBox(kAnnouncement);
    if (own) {
        own.reset();
        std::setlocale(LC_ALL, locale.c_str());
    }
}

// The shared library "game": one export that announces the word game.
#include "game_app.h"
#include "msgbox.h"

#include <QApplication>

#include <memory>

CGameApp::CGameApp() : CWinApp(nullptr) {}
CGameApp::~CGameApp() = default;

namespace {
CGameApp theGameApp; // made when the library is loaded, gone when it is unloaded
} // namespace

extern "C" __attribute__((visibility("default"))) void game() {
    // A caller without a GUI application gets one for the length of the call only.
    std::unique_ptr<QApplication> own;
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "game";
        static char* argv[] = {name, nullptr};
        own = std::make_unique<QApplication>(argc, argv);
    }
    AfxMessageBox("游戏正在开发...看我的博客更新");
}

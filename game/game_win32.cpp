// game.dll: one export, `game` (ordinal 1), that announces the word game in a message box
// captioned with the caller's program name, as the framework's message boxes are.
#include "framework/msgbox.h"
#include "game/game_app.h"

CGameApp::CGameApp() : CWinApp(nullptr) {}
CGameApp::~CGameApp() = default;

namespace {
CGameApp theGameApp; // made when the library is loaded, gone when it is unloaded
} // namespace

extern "C" __declspec(dllexport) void __cdecl game() {
    AfxMessageBox("游戏正在开发...看我的博客更新");
}

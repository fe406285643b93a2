// The dialog driver on the Win32 backend: a thread timer, which ticks inside every modal
// loop of the thread (the dialogs' and the message boxes'), watches for the innermost one;
// input is posted as the system would post it.
#include "framework/win32/backend.h"
#include "support/dialog_driver.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace drive {

struct Script::Impl {
    std::deque<Step> steps;
    std::vector<std::string> messages;
    HWND lastActive = nullptr; // a window counts again once another was active over it
    UINT_PTR poll = 0;
    UINT_PTR watchdog = 0;
    bool unwinding = false;

    void Poll();
    void Expire();
};

namespace {

std::map<UINT_PTR, Script::Impl*> g_pollers, g_watchdogs;
std::map<UINT_PTR, std::function<void()>> g_later;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::string Utf8(const std::wstring& wide) {
    std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                                            static_cast<int>(wide.size()), nullptr,
                                                            0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                        static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

// The innermost modal window: of the thread's visible dialog boxes, the one not disabled
// by a modal loop over it.
HWND InnermostModal() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            if (IsWindowVisible(window) && IsWindowEnabled(window) &&
                ClassOf(window) == L"#32770") {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The first push button of a message box: its OK, or its Yes.
void PressFirstButton(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Button") {
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                         reinterpret_cast<LPARAM>(child));
            return;
        }
}

void CALLBACK PollTick(HWND, UINT, UINT_PTR id, DWORD) {
    if (auto it = g_pollers.find(id); it != g_pollers.end())
        it->second->Poll();
}

void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto it = g_watchdogs.find(id); it != g_watchdogs.end())
        it->second->Expire();
}

void CALLBACK LaterTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = g_later.find(id);
    if (it == g_later.end())
        return;
    auto action = std::move(it->second);
    g_later.erase(it);
    action();
}

} // namespace

void Script::Impl::Poll() {
    const HWND modal = InnermostModal();
    if (unwinding) { // every open modal loop ends, so the test ends instead of hanging
        if (modal)
            EndDialog(modal, IDCANCEL);
        return;
    }
    if (!modal || modal == lastActive)
        return;
    lastActive = modal;
    if (steps.empty())
        return;
    Step step = std::move(steps.front());
    steps.pop_front();
    step(modal);
}

void Script::Impl::Expire() {
    ADD_FAILURE() << "dialog driver: timed out with " << steps.size() << " step(s) left";
    steps.clear();
    unwinding = true;
}

Script::Script(int watchdogMs) : d(std::make_unique<Impl>()) {
    d->poll = SetTimer(nullptr, 0, 5, &PollTick);
    g_pollers[d->poll] = d.get();
    d->watchdog = SetTimer(nullptr, 0, static_cast<UINT>(watchdogMs), &WatchdogTick);
    g_watchdogs[d->watchdog] = d.get();
}

Script::~Script() {
    EXPECT_TRUE(d->steps.empty()) << d->steps.size() << " scripted step(s) never ran";
    KillTimer(nullptr, d->poll);
    KillTimer(nullptr, d->watchdog);
    g_pollers.erase(d->poll);
    g_watchdogs.erase(d->watchdog);
}

Script& Script::Then(Step step) {
    d->steps.push_back(std::move(step));
    return *this;
}

Script& Script::OnDialog(UINT templateId, Step step) {
    return Then([templateId, step = std::move(step)](HWND modal) {
        EXPECT_EQ(TemplateOf(modal), templateId) << "another window came up: " << Caption(modal);
        step(modal);
    });
}

Script& Script::AcceptMessage() {
    return Then([this](HWND modal) {
        EXPECT_TRUE(IsMessageBox(modal)) << "expected a message box, got " << Caption(modal);
        d->messages.push_back(MessageText(modal));
        PressFirstButton(modal);
    });
}

const std::vector<std::string>& Script::messages() const {
    return d->messages;
}

bool Script::finished() const {
    return d->steps.empty();
}

void PressKey(HWND target, WPARAM virtualKey, bool alt) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
    if (alt)
        data |= LPARAM{1} << 29; // the context code: Alt is down
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, data);
}

// The close box sends its window the close command.
void PressCloseBox(HWND dialog) {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void FocusButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

HWND Control(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

UINT TemplateOf(HWND window) {
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(window, kTemplateProperty)));
}

bool IsMessageBox(HWND window) {
    return ClassOf(window) == L"#32770" && TemplateOf(window) == 0;
}

// A message box's text is the one static of it that has text (its icon has none).
std::string MessageText(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == L"Static" && GetWindowTextLengthW(child) > 0)
            return Caption(child);
    return {};
}

HWND OwnerOf(HWND window) {
    return GetWindow(window, GW_OWNER);
}

CRect ControlRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(Control(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (accessible->get_accName(self, &name) == S_OK && name)
        text = Utf8(std::wstring(name, SysStringLen(name)));
    SysFreeString(name);
    accessible->Release();
    return text;
}

void Later(std::function<void()> action) {
    g_later[SetTimer(nullptr, 0, 0, &LaterTick)] = std::move(action);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!condition()) {
        if (GetTickCount64() >= until)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

} // namespace drive

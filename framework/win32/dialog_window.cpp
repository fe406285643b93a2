// The Win32 window behind a running CDialog: a dialog box from a template built in memory,
// run by the system's own modal loop.
#include "framework/backend.h"
#include "framework/dialog_template.h"
#include "framework/win32/backend.h"
#include "framework/win32/wide.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

namespace {

// "System" draws no Chinese: such templates get the system's UI font for Chinese.
std::wstring FontFor(std::string_view face) {
    if (face == "System" || face == "MS Shell Dlg" || face.empty())
        return L"Microsoft YaHei UI";
    return Wide(std::string(face));
}

// A dialog template in memory, as a resource script would compile it (DLGTEMPLATEEX).
class TemplateWriter {
public:
    void Word(WORD value) { Raw(&value, sizeof value); }
    void Dword(DWORD value) { Raw(&value, sizeof value); }
    void Text(const std::wstring& text) { Raw(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
    void Align() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<BYTE> Take() { return std::move(m_bytes); }

private:
    void Raw(const void* p, size_t n) {
        const BYTE* b = static_cast<const BYTE*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
    }
    std::vector<BYTE> m_bytes;
};

DWORD ControlStyle(const ControlTemplate& c) {
    DWORD style = WS_CHILD | c.style;
    switch (c.kind) {
    case ControlKind::PushButton:
        return style;
    case ControlKind::CheckBox:
        return style | BS_AUTOCHECKBOX;
    case ControlKind::Edit:
        return style;
    case ControlKind::Static:
    case ControlKind::Phonetic:
        return style | SS_LEFT | SS_NOPREFIX;
    case ControlKind::Picture:
        return style | SS_BITMAP | SS_REALSIZECONTROL;
    case ControlKind::Icon:
        return style | SS_ICON;
    case ControlKind::ComboBox:
        return style;
    case ControlKind::ListBox:
        return style | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
    }
    return style;
}

WORD ControlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        return 0x0080;
    case ControlKind::Edit:
        return 0x0081;
    case ControlKind::ComboBox:
        return 0x0085;
    case ControlKind::ListBox:
        return 0x0083;
    default:
        return 0x0082; // static
    }
}

std::vector<BYTE> BuildTemplate(const DialogTemplate& t) {
    TemplateWriter w;
    w.Word(1);      // version
    w.Word(0xFFFF); // extended
    w.Dword(0);     // help id
    w.Dword(t.exStyle);
    w.Dword(t.style | DS_SETFONT | DS_CENTER);
    w.Word(static_cast<WORD>(t.controls.size()));
    for (int v : {0, 0, t.cx, t.cy})
        w.Word(static_cast<WORD>(v));
    w.Word(0); // no menu
    w.Word(0); // the dialog class
    w.Text(Wide(std::string(t.caption)));
    w.Word(static_cast<WORD>(t.fontPoints));
    w.Word(FW_NORMAL);
    w.Word(static_cast<WORD>(DEFAULT_CHARSET << 8)); // italic 0, charset
    w.Text(FontFor(t.fontFace));
    for (const ControlTemplate& c : t.controls) {
        w.Align();
        w.Dword(0);
        w.Dword(c.exStyle);
        w.Dword(ControlStyle(c));
        for (int v : {c.x, c.y, c.cx, c.cy})
            w.Word(static_cast<WORD>(v));
        w.Dword(static_cast<DWORD>(c.id));
        w.Word(0xFFFF);
        w.Word(ControlClass(c.kind));
        if (c.kind == ControlKind::Picture || c.kind == ControlKind::Icon) {
            w.Word(0xFFFF);
            w.Word(static_cast<WORD>(c.resourceId));
        } else {
            w.Text(Wide(std::string(c.text)));
        }
        w.Word(0); // no creation data
    }
    return w.Take();
}

// "Ctrl+P" as a key and its modifiers.
std::optional<ACCEL> ParseAccelerator(const std::string& keys) {
    ACCEL accel{FVIRTKEY, 0, 0};
    std::string rest = keys;
    for (const auto& [name, flag] :
         {std::pair{"Ctrl+", FCONTROL}, {"Alt+", FALT}, {"Shift+", FSHIFT}})
        if (rest.rfind(name, 0) == 0) {
            accel.fVirt = static_cast<BYTE>(accel.fVirt | flag);
            rest = rest.substr(std::strlen(name));
        }
    if (rest.size() != 1)
        return std::nullopt;
    accel.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
    return accel;
}

class Win32Dialog final : public DialogWindow {
public:
    Win32Dialog(DialogEvents& events, const DialogTemplate& tpl, HWND owner)
        : m_events(events), m_template(tpl), m_owner(owner) {}

    bool RunModal() override;
    void End(int result) override;
    HWND Handle() const override { return m_hwnd; }
    HWND Control(int id) const override { return m_hwnd ? ::GetDlgItem(m_hwnd, id) : nullptr; }
    CRect MapDialogRect(const CRect& du) const override;
    CRect ClientRect() const override;
    BOOL Show(int cmdShow) override { return m_hwnd && ::ShowWindow(m_hwnd, cmdShow); }
    BOOL IsVisible() const override { return m_hwnd && ::IsWindowVisible(m_hwnd); }
    BOOL IsIconic() const override { return m_hwnd && ::IsIconic(m_hwnd); }
    void SetForeground() override {
        if (m_hwnd)
            ::SetForegroundWindow(m_hwnd);
    }
    void SetIcon(UINT iconId) override;
    void AddAccelerator(const std::string& keys, int commandId) override;
    bool StartTimer(UINT_PTR id, UINT elapseMs) override {
        return m_hwnd && ::SetTimer(m_hwnd, id, elapseMs, nullptr);
    }
    void StopTimer(UINT_PTR id) override {
        if (m_hwnd)
            ::KillTimer(m_hwnd, id);
    }
    void RevertSystemMenu() override {
        if (m_hwnd)
            ::GetSystemMenu(m_hwnd, TRUE);
    }
    BOOL AppendSystemMenuItem(const CMenu::Item& item) override {
        HMENU menu = m_hwnd ? ::GetSystemMenu(m_hwnd, FALSE) : nullptr;
        return menu && ::AppendMenuW(menu, item.flags, item.id, Wide(item.text).c_str());
    }
    // The system's own handling: minimise, restore, move, size, the menu by keyboard.
    void DefaultSysCommand(UINT id, LPARAM lParam) override {
        DefWindowProcW(m_hwnd, WM_SYSCOMMAND, id, lParam);
    }

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);

private:
    static Win32Dialog* Of(HWND hwnd) {
        return reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    BOOL Initialise(HWND hwnd);
    void PrepareControls();
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Colour(UINT message, HDC dc, HWND control);
    bool Accelerate(const MSG& msg);
    INT_PTR Answer(LRESULT result) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }

    DialogEvents& m_events;
    const DialogTemplate& m_template;
    HWND m_owner;
    HWND m_hwnd = nullptr; // from WM_INITDIALOG until WM_NCDESTROY
    bool m_ended = false;
    std::vector<std::pair<ACCEL, int>> m_accelerators;
};

int g_loops = 0; // dialog boxes running, nested
HHOOK g_filter = nullptr;
bool g_programSetsText = false; // an edit's EN_CHANGE then is no change of the learner's

} // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(DialogEvents& events, const DialogTemplate& tpl,
                                                 HWND owner) {
    return std::make_unique<Win32Dialog>(events, tpl, owner);
}

void SetTextAsProgram(HWND window, const std::wstring& text) {
    g_programSetsText = true;
    ::SetWindowTextW(window, text.c_str());
    g_programSetsText = false;
}

// The system's own modal loop, owned by the dialog whose loop runs now.
bool Win32Dialog::RunModal() {
    const std::vector<BYTE> bytes = BuildTemplate(m_template);
    if (g_loops++ == 0)
        g_filter = SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId());
    const INT_PTR ran = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), m_owner,
        &Procedure, reinterpret_cast<LPARAM>(this));
    if (--g_loops == 0 && g_filter) {
        UnhookWindowsHookEx(g_filter);
        g_filter = nullptr;
    }
    return ran != -1;
}

void Win32Dialog::End(int result) {
    m_ended = true;
    if (m_hwnd)
        ::EndDialog(m_hwnd, result);
}

CRect Win32Dialog::MapDialogRect(const CRect& du) const {
    RECT r{du.left, du.top, du.right, du.bottom};
    if (m_hwnd)
        ::MapDialogRect(m_hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

CRect Win32Dialog::ClientRect() const {
    RECT r{};
    if (m_hwnd)
        ::GetClientRect(m_hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Dialog::SetIcon(UINT iconId) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (auto [which, size] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetrics(size);
        auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                   pixels, pixels, LR_DEFAULTCOLOR));
        ::SendMessageW(m_hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void Win32Dialog::AddAccelerator(const std::string& keys, int commandId) {
    if (const auto accel = ParseAccelerator(keys))
        m_accelerators.emplace_back(*accel, commandId);
}

BOOL Win32Dialog::Initialise(HWND hwnd) {
    m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    // Names the window for tests and tools that look for a template's dialog.
    SetPropW(hwnd, kTemplateProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(m_template.id)));
    PrepareControls();
    const BOOL focusFirst = m_events.Initialise();
    return m_ended ? FALSE : focusFirst;
}

void Win32Dialog::PrepareControls() {
    for (const ControlTemplate& c : m_template.controls) {
        HWND control = c.id == IDC_STATIC ? nullptr : ::GetDlgItem(m_hwnd, c.id);
        if (!control)
            continue;
        // Transcriptions in a face with the IPA symbols, at the dialog font's size.
        if (c.kind == ControlKind::Phonetic) {
            LOGFONTW face{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)), sizeof face,
                       &face);
            wcscpy(face.lfFaceName, L"Segoe UI");
            static HFONT phonetic = CreateFontIndirectW(&face);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(phonetic), FALSE);
        }
        // An edit shows digits only.
        if (c.kind == ControlKind::Edit && (c.style & ES_NUMBER))
            SetWindowLongPtrW(control, GWL_STYLE,
                              GetWindowLongPtrW(control, GWL_STYLE) | ES_NUMBER);
    }
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return reinterpret_cast<Win32Dialog*>(lParam)->Initialise(hwnd);
    Win32Dialog* self = Of(hwnd);
    if (!self)
        return FALSE;
    const INT_PTR answer = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        self->m_hwnd = nullptr;
    return answer;
}

INT_PTR Win32Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog& dlg = m_events.Dialog();
    switch (message) {
    case WM_COMMAND:
        // Clicks, menu items, accelerators, and the dialog manager's Enter and Esc; of the
        // notifications of edits and lists, a changed text or choice.
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED)
            dlg.SendCommand(LOWORD(wParam));
        else if ((HIWORD(wParam) == EN_CHANGE && !g_programSetsText) ||
                 HIWORD(wParam) == LBN_SELCHANGE)
            dlg.SendChange(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        m_events.Close();
        return TRUE;
    case WM_SYSCOMMAND:
        m_events.SysCommand(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case WM_TIMER:
        m_events.Timer(wParam);
        return TRUE;
    case WM_PAINT:
        return m_events.Paint() ? TRUE : FALSE; // FALSE: the dialog manager paints
    case WM_ERASEBKGND:
        return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return Colour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
        m_events.Size(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        // Never smaller than the template.
        RECT r{0, 0, m_template.cx, m_template.cy};
        ::MapDialogRect(m_hwnd, &r);
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)));
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
        return TRUE;
    }
    case WM_DESTROY:
        m_events.Destroying();
        RemovePropW(m_hwnd, kTemplateProperty);
        return TRUE;
    default:
        if (message >= WM_USER && message < 0x8000)
            return Answer(dlg.SendMessage(message, wParam, lParam));
        return FALSE;
    }
}

// Eye protection's soft green paper and dark text, as the Linux skin has them.
INT_PTR Win32Dialog::Colour(UINT message, HDC dc, HWND control) {
    // Labels marked transparent show the dialog's own painting behind their text.
    if (message == WM_CTLCOLORSTATIC &&
        (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
        SetBkMode(dc, TRANSPARENT);
        if (EyeProtectionOn())
            SetTextColor(dc, kEyeText);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    if (!EyeProtectionOn())
        return FALSE;
    static HBRUSH paper = CreateSolidBrush(kEyePaper);
    SetTextColor(dc, kEyeText);
    SetBkColor(dc, kEyePaper);
    return reinterpret_cast<INT_PTR>(paper);
}

bool Win32Dialog::Accelerate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN)
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    for (const auto& [accel, command] : m_accelerators)
        if (msg.wParam == accel.key && ctrl == bool(accel.fVirt & FCONTROL) &&
            alt == bool(accel.fVirt & FALT)) {
            m_events.Dialog().SendCommand(command);
            return true;
        }
    return false;
}

// Keys reach the innermost dialog first: its accelerators, then PreTranslateMessage.
LRESULT CALLBACK Win32Dialog::Filter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    const HWND innermost = ModalOwner();
    Win32Dialog* self = innermost ? Of(innermost) : nullptr;
    if (code == MSGF_DIALOGBOX && self &&
        (msg->hwnd == innermost || IsChild(innermost, msg->hwnd)) &&
        (self->Accelerate(*msg) || self->m_events.PreTranslate(msg)))
        return 1;
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

#include "framework/dialog.h"

#include "framework/dialog_template.h"
#include "framework/win32/wide.h"
#include "framework/winapp.h"

#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

bool EyeProtectionOn(); // skin.cpp

namespace {

// Eye protection's soft green paper and dark text, as the Linux skin has them.
constexpr COLORREF kEyePaper = RGB(0xcc, 0xe8, 0xcf);
constexpr COLORREF kEyeText = RGB(0x1c, 0x33, 0x22);

// Dialogs whose DoModal runs, innermost last.
std::vector<CDialog*> g_running;
bool g_programSetsText = false; // an edit's EN_CHANGE then is no change of the learner's
HHOOK g_filter = nullptr;

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

} // namespace

// ---- The window behind a running dialog ----------------------------------------------

class DialogWindow {
public:
    explicit DialogWindow(HWND hwnd) : m_hwnd(hwnd) {}
    HWND hwnd() const { return m_hwnd; }

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);

private:
    static CDialog* Of(HWND hwnd) {
        return reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    static INT_PTR Initialise(HWND hwnd, CDialog* dlg);
    static INT_PTR Answer(HWND hwnd, LRESULT result) {
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }

    HWND m_hwnd;
};

struct CDialog::Backend {
    std::map<UINT_PTR, UINT> timers; // running timers and their periods
    std::vector<std::pair<ACCEL, int>> accelerators;
    bool defaultAction = false; // the base handler asked for the system's own
    HMENU systemMenu = nullptr;
};

namespace {

CDialog* InnermostDialog() {
    return g_running.empty() ? nullptr : g_running.back();
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

} // namespace

HWND ModalOwnerHandle() {
    CDialog* dlg = InnermostDialog();
    return dlg ? dlg->GetSafeHwnd() : nullptr;
}

INT_PTR DialogWindow::Initialise(HWND hwnd, CDialog* dlg) {
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dlg));
    dlg->m_window = new DialogWindow(hwnd);
    dlg->m_self = std::make_unique<CWnd>(hwnd);
    for (const ControlTemplate& c : dlg->m_template->controls)
        if (c.id != IDC_STATIC)
            if (HWND control = GetDlgItem(hwnd, c.id))
                dlg->m_items[c.id] = std::make_unique<CWnd>(control);
    // Transcriptions in a face with the IPA symbols, at the dialog font's size.
    for (const ControlTemplate& c : dlg->m_template->controls)
        if (c.kind == ControlKind::Phonetic && dlg->m_items.count(c.id)) {
            LOGFONTW face{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof face,
                       &face);
            wcscpy(face.lfFaceName, L"Segoe UI");
            static HFONT phonetic = CreateFontIndirectW(&face);
            SendMessageW(dlg->m_items[c.id]->GetSafeHwnd(), WM_SETFONT,
                         reinterpret_cast<WPARAM>(phonetic), FALSE);
        }
    // A combo box's template height includes its list; an edit shows digits only.
    for (const ControlTemplate& c : dlg->m_template->controls)
        if (c.kind == ControlKind::Edit && (c.style & ES_NUMBER) && dlg->m_items.count(c.id))
            SetWindowLongPtrW(dlg->m_items[c.id]->GetSafeHwnd(), GWL_STYLE,
                              GetWindowLongPtrW(dlg->m_items[c.id]->GetSafeHwnd(), GWL_STYLE) |
                                  ES_NUMBER);
    const BOOL focusFirst = dlg->OnInitDialog();
    if (dlg->m_ending)
        ::EndDialog(hwnd, dlg->m_result);
    return focusFirst;
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return Initialise(hwnd, reinterpret_cast<CDialog*>(lParam));
    CDialog* dlg = Of(hwnd);
    if (!dlg)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        // Clicks, menu items, accelerators, and the dialog manager's Enter and Esc; of the
        // notifications of edits and lists, a changed text or choice.
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED)
            dlg->SendCommand(LOWORD(wParam));
        else if ((HIWORD(wParam) == EN_CHANGE && !g_programSetsText) ||
                 HIWORD(wParam) == LBN_SELCHANGE)
            dlg->SendChange(LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        dlg->OnClose();
        return TRUE;
    case WM_SYSCOMMAND:
        dlg->m_backend->defaultAction = false;
        dlg->OnSysCommand(static_cast<UINT>(wParam), lParam);
        return dlg->m_backend->defaultAction ? FALSE : TRUE;
    case WM_TIMER:
        dlg->OnTimer(wParam);
        return TRUE;
    case WM_PAINT:
        dlg->m_backend->defaultAction = false;
        dlg->OnPaint();
        return dlg->m_backend->defaultAction ? FALSE : TRUE;
    case WM_ERASEBKGND:
        return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        // Labels marked transparent show the dialog's own painting behind their text.
        if (message == WM_CTLCOLORSTATIC &&
            (GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
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
    case WM_SIZE:
        dlg->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        // Never smaller than the template.
        RECT r{0, 0, dlg->m_template->cx, dlg->m_template->cy};
        MapDialogRect(hwnd, &r);
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
        return TRUE;
    }
    case WM_DESTROY:
        dlg->OnDestroy();
        for (const auto& [id, period] : dlg->m_backend->timers)
            ::KillTimer(hwnd, id);
        dlg->m_backend->timers.clear();
        return TRUE;
    default:
        if (message >= WM_USER && message < 0x8000)
            return Answer(hwnd, dlg->SendMessage(message, wParam, lParam));
        return FALSE;
    }
}

// Keys reach the innermost dialog first: its accelerators, then PreTranslateMessage.
LRESULT CALLBACK DialogWindow::Filter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    CDialog* dlg = InnermostDialog();
    if (code == MSGF_DIALOGBOX && dlg && dlg->m_window &&
        (msg->hwnd == dlg->m_window->hwnd() || IsChild(dlg->m_window->hwnd(), msg->hwnd))) {
        if (msg->message == WM_KEYDOWN)
            for (const auto& [accel, command] : dlg->m_backend->accelerators) {
                const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
                if (msg->wParam == accel.key && ctrl == bool(accel.fVirt & FCONTROL) &&
                    alt == bool(accel.fVirt & FALT)) {
                    dlg->SendCommand(command);
                    return 1;
                }
            }
        if (dlg->PreTranslateMessage(msg))
            return 1;
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

// ---- CWnd -----------------------------------------------------------------------------

void CWnd::SetWindowText(const std::string& text) {
    g_programSetsText = true;
    ::SetWindowTextW(m_hWnd, Wide(text).c_str());
    g_programSetsText = false;
}

std::string CWnd::GetWindowText() const {
    return WindowText(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}

void CWnd::SetFocus() {
    ::SetFocus(m_hWnd);
}

BOOL CWnd::ShowWindow(int cmdShow) {
    return ::ShowWindow(m_hWnd, cmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

// Screen readers read a field's label from the text before it in the template.
void CWnd::SetAccessibleName(const std::string&) {}

void CWnd::SetToolTip(const std::string& text) {
    HWND dialog = GetParent(m_hWnd);
    auto* tip = reinterpret_cast<HWND>(GetPropW(m_hWnd, L"WordmillTip"));
    if (!tip) {
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetPropW(m_hWnd, L"WordmillTip", tip);
    }
    std::wstring wide = Wide(text);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    info.lpszText = wide.data();
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

int CWnd::GetCheck() const {
    return static_cast<int>(SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

void CWnd::SetCheck(int check) {
    SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

namespace {
bool IsListBox(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"ListBox") == 0;
}
} // namespace

int CWnd::AddString(const std::string& text) {
    const UINT message = IsListBox(m_hWnd) ? LB_ADDSTRING : CB_ADDSTRING;
    return static_cast<int>(
        SendMessageW(m_hWnd, message, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

int CWnd::SetCurSel(int index) {
    const UINT message = IsListBox(m_hWnd) ? LB_SETCURSEL : CB_SETCURSEL;
    return static_cast<int>(SendMessageW(m_hWnd, message, static_cast<WPARAM>(index), 0));
}

int CWnd::GetCurSel() const {
    const UINT message = IsListBox(m_hWnd) ? LB_GETCURSEL : CB_GETCURSEL;
    return static_cast<int>(SendMessageW(m_hWnd, message, 0, 0));
}

void CWnd::ResetContent() {
    SendMessageW(m_hWnd, IsListBox(m_hWnd) ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

int CWnd::GetCount() const {
    return static_cast<int>(
        SendMessageW(m_hWnd, IsListBox(m_hWnd) ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

// ---- CMenu, CDataExchange ------------------------------------------------------------

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text) {
    m_items.push_back({flags, static_cast<UINT>(id), text});
    if (m_native)
        return ::AppendMenuW(static_cast<HMENU>(m_native), flags, id, Wide(text).c_str());
    return TRUE;
}

// ---- CPaintDC ------------------------------------------------------------------------

struct CPaintDC::Impl {
    HWND hwnd = nullptr;
    PAINTSTRUCT paint{};
    HDC dc = nullptr;
};

CPaintDC::CPaintDC(CDialog* dialog) : d(std::make_unique<Impl>()) {
    d->hwnd = dialog->GetSafeHwnd();
    if (d->hwnd)
        d->dc = BeginPaint(d->hwnd, &d->paint);
}

CPaintDC::~CPaintDC() {
    if (d->dc)
        EndPaint(d->hwnd, &d->paint);
}

BOOL CPaintDC::StretchBitmap(UINT bitmapId, const CRect& rect) {
    if (!d->dc)
        return FALSE;
    // Loaded for this paint only, as the program has always done.
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId));
    if (!bitmap)
        return FALSE;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(d->dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(d->dc, HALFTONE);
    StretchBlt(d->dc, rect.left, rect.top, rect.Width(), rect.Height(), memory, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return TRUE;
}

BOOL CPaintDC::DrawIcon(int x, int y, UINT iconId) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId));
    return d->dc && icon && ::DrawIcon(d->dc, x, y, icon);
}

COLORREF CPaintDC::GetPaperColor() const {
    return EyeProtectionOn() ? kEyePaper : GetSysColor(COLOR_3DFACE);
}

COLORREF CPaintDC::GetInkColor() const {
    return EyeProtectionOn() ? kEyeText : GetSysColor(COLOR_WINDOWTEXT);
}

void CPaintDC::FillSolidRect(const CRect& rect, COLORREF color) {
    if (!d->dc)
        return;
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(d->dc, &r, brush);
    DeleteObject(brush);
}

void CPaintDC::TextOut(int x, int y, const std::string& text) {
    if (!d->dc)
        return;
    const std::wstring wide = Wide(text);
    HGDIOBJ old =
        SelectObject(d->dc, reinterpret_cast<HFONT>(SendMessageW(d->hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(d->dc, TRANSPARENT);
    SetTextColor(d->dc, GetInkColor());
    ::TextOutW(d->dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SelectObject(d->dc, old);
}

// ---- CDialog -------------------------------------------------------------------------

CDialog::CDialog(UINT templateId, CWnd*)
    : m_templateId(templateId), m_template(FindDialogTemplate(templateId)),
      m_backend(std::make_unique<Backend>()) {}

CDialog::~CDialog() {
    Destroy();
}

HWND CDialog::GetSafeHwnd() const {
    return m_window ? m_window->hwnd() : nullptr;
}

BOOL CDialog::IsWindow() const {
    return m_window != nullptr;
}

CRect CDialog::MapDialogRect(const CRect& du) const {
    RECT r{du.left, du.top, du.right, du.bottom};
    if (m_window)
        ::MapDialogRect(m_window->hwnd(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void CDialog::Build() {}
void CDialog::RunModalLoop() {}

void CDialog::Destroy() {
    delete m_window;
    m_window = nullptr;
    m_items.clear();
    m_self.reset();
    m_systemMenu.reset();
}

// The system's own modal loop, owned by the dialog whose loop runs now.
INT_PTR CDialog::DoModal() {
    if (!m_template || m_window)
        return -1;
    const std::vector<BYTE> dialogTemplate = BuildTemplate(*m_template);
    const HWND owner = ModalOwnerHandle();
    m_ending = false;
    m_result = -1;
    g_running.push_back(this);
    if (!g_filter)
        g_filter =
            SetWindowsHookExW(WH_MSGFILTER, &DialogWindow::Filter, nullptr, GetCurrentThreadId());
    const INT_PTR ran = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
        &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
    g_running.erase(std::find(g_running.begin(), g_running.end(), this));
    if (g_running.empty() && g_filter) {
        UnhookWindowsHookEx(g_filter);
        g_filter = nullptr;
    }
    Destroy();
    return ran == -1 ? -1 : m_result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ending = true;
    if (m_window)
        ::EndDialog(m_window->hwnd(), result);
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs) {
    if (!m_window || !::SetTimer(m_window->hwnd(), id, elapseMs, nullptr))
        return 0;
    m_backend->timers[id] = elapseMs;
    return id;
}

BOOL CDialog::KillTimer(UINT_PTR id) {
    if (!m_backend->timers.erase(id))
        return FALSE;
    return m_window ? ::KillTimer(m_window->hwnd(), id) : TRUE;
}

UINT CDialog::GetTimerPeriod(UINT_PTR id) const {
    auto it = m_backend->timers.find(id);
    return it == m_backend->timers.end() ? 0 : it->second;
}

// The real system menu: what the program appends goes into it.
CMenu* CDialog::GetSystemMenu(BOOL revert) {
    if (!m_window || !(m_template->style & WS_SYSMENU))
        return nullptr;
    if (!m_systemMenu || revert) {
        m_systemMenu = std::make_unique<CMenu>();
        m_systemMenu->m_native = ::GetSystemMenu(m_window->hwnd(), revert);
    }
    return m_systemMenu.get();
}

BOOL CDialog::ShowWindow(int cmdShow) {
    return m_window && ::ShowWindow(m_window->hwnd(), cmdShow);
}

BOOL CDialog::IsIconic() const {
    return m_window && ::IsIconic(m_window->hwnd());
}

BOOL CDialog::IsWindowVisible() const {
    return m_window && ::IsWindowVisible(m_window->hwnd());
}

void CDialog::SetForegroundWindow() {
    if (m_window)
        ::SetForegroundWindow(m_window->hwnd());
}

void CDialog::GetClientRect(CRect* rect) const {
    RECT r{};
    if (m_window)
        ::GetClientRect(m_window->hwnd(), &r);
    *rect = {r.left, r.top, r.right, r.bottom};
}

void CDialog::SendSysCommand(UINT id, LPARAM lParam) {
    if (m_window)
        ::SendMessageW(m_window->hwnd(), WM_SYSCOMMAND, id, lParam);
}

void CDialog::AddAccelerator(const std::string& keys, int commandId) {
    if (const auto accel = ParseAccelerator(keys))
        m_backend->accelerators.emplace_back(*accel, commandId);
}

void CDialog::SetIcon(UINT iconId) {
    if (!m_window)
        return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (auto [which, size] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetrics(size);
        auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                   pixels, pixels, LR_DEFAULTCOLOR));
        ::SendMessageW(m_window->hwnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void CDialog::OnPaint() {
    m_backend->defaultAction = true;
}

// The system's own handling: minimise, restore, move, and close through WM_CLOSE.
void CDialog::OnSysCommand(UINT, LPARAM) {
    m_backend->defaultAction = true;
}

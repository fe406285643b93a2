// Controls by id and painting, on the system's windows.
#include "framework/dialog.h"

#include "framework/win32/backend.h"
#include "framework/win32/wide.h"

#include <commctrl.h>

// ---- CWnd -----------------------------------------------------------------------------

void CWnd::SetWindowText(const std::string& text) {
    SetTextAsProgram(m_hWnd, Wide(text));
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

void CWnd::SetAccessibleName(const std::string& name) {
    NameForScreenReaders(m_hWnd, Wide(name));
}

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

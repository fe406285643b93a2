// Dialogs built from templates, controls addressed by id, handlers bound by id: the
// framework's dialog class. Its logic is common code; a backend (framework/qt/,
// framework/win32/) supplies the windows (framework/backend.h) and the control calls.
#pragma once

#include "framework/wintypes_ui.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CDialog;
class DialogWindow; // the backend's window behind a running dialog (framework/backend.h)
struct DialogTemplate;

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// A handle on one control (or on the dialog itself) for the window calls.
class CWnd {
public:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    void SetFocus();
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    // The name screen readers announce for the control.
    void SetAccessibleName(const std::string& name);
    void SetToolTip(const std::string& text);

    // Check boxes.
    int GetCheck() const;
    void SetCheck(int check);

    // Combo boxes and list boxes.
    int AddString(const std::string& text); // into sorted place for a sorted combo box
    int SetCurSel(int index);               // CB_ERR and no selection outside the list
    int GetCurSel() const;
    void ResetContent();
    int GetCount() const;

    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// A system menu: the standard items, then what the program appends.
class CMenu {
public:
    struct Item {
        UINT flags;
        UINT id;
        std::string text;
    };
    CMenu() = default;
    // A menu that also hands each appended item to `append` (a window's own menu).
    explicit CMenu(std::function<BOOL(const Item&)> append) : m_append(std::move(append)) {}

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::string& text = {});
    const std::vector<Item>& Items() const { return m_items; }

private:
    std::vector<Item> m_items;
    std::function<BOOL(const Item&)> m_append;
};

// Drawing during OnPaint.
class CPaintDC {
public:
    explicit CPaintDC(CDialog* dialog);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    // Loads the bitmap resource for this call only and stretches it over `rect`.
    BOOL StretchBitmap(UINT bitmapId, const CRect& rect);
    BOOL DrawIcon(int x, int y, UINT iconId);

    // The dialog's own paper and ink as the learner sees them now (the skin, eye protection
    // or the system's colours), for drawings that must stay readable in each.
    COLORREF GetPaperColor() const;
    COLORREF GetInkColor() const;
    void FillSolidRect(const CRect& rect, COLORREF color);
    // In the dialog's font and ink, on no background of its own; `x`, `y` its top left.
    void TextOut(int x, int y, const std::string& text);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// `percent` of the way from one colour to another.
constexpr COLORREF BlendColor(COLORREF from, COLORREF to, unsigned percent) {
    auto mix = [percent](unsigned a, unsigned b) {
        return (a * (100 - percent) + b * percent) / 100;
    };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

// Exchange of member values with controls (UpdateData).
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    // Ends the exchange as failed; UpdateData then returns FALSE.
    [[noreturn]] void Fail();

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

class CDialog {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Builds the window, runs it modally and destroys it; the value given to
    // EndDialog, or -1 when the window could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    BOOL IsWindow() const; // while DoModal runs

    CWnd* GetDlgItem(int id);
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE);
    UINT IsDlgButtonChecked(int id);
    void CheckDlgButton(int id, UINT check);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id);
    // The period of a running timer; 0 when there is none with that id.
    UINT GetTimerPeriod(UINT_PTR id) const;
    // Delivers a timer tick now, as if the timer had fired.
    void SendTimer(UINT_PTR id) { OnTimer(id); }

    CMenu* GetSystemMenu(BOOL revert);
    BOOL ShowWindow(int cmdShow);
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    void SetForegroundWindow();
    void GetClientRect(CRect* rect) const;

    // A keyboard shortcut ("Ctrl+P") that runs a command while this dialog is active.
    void AddAccelerator(const std::string& keys, int commandId);

    // Runs a command as a click or menu choice would: the bound handler, else
    // OnOK for IDOK and OnCancel for IDCANCEL.
    void SendCommand(int id);
    // Runs the change handler of a control, as an edit or a choice by the learner would.
    void SendChange(int id);
    // A system command as the system menu, Alt+F4 or the close box give it: OnSysCommand,
    // whose base sends SC_CLOSE to OnClose and leaves the others to the window.
    void SendSysCommand(UINT id, LPARAM lParam = 0);
    // Delivers a message to its bound handler; 0 when none is bound.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The window's icon (big and small), by icon resource id.
    void SetIcon(UINT iconId);

    // Pixels of a rectangle given in this dialog's dialog units.
    CRect MapDialogRect(const CRect& dialogUnits) const;

    // The window, for the framework's own services (tray, painting). Null when none.
    HWND GetSafeHwnd() const;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnClose();
    virtual void OnDestroy();
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void DoDataExchange(CDataExchange* dx);

    // The message map: a handler for a command id (button or menu item).
    void OnCommand(int id, std::function<void()> handler);
    template <class T> void OnCommand(int id, void (T::*handler)()) {
        OnCommand(id, [this, handler] { (static_cast<T*>(this)->*handler)(); });
    }
    // A handler for a change the learner makes (not the program's own SetWindowText or
    // SetCurSel): the text of an edit, the choice in a list.
    void OnChange(int id, std::function<void()> handler);
    template <class T> void OnChange(int id, void (T::*handler)()) {
        OnChange(id, [this, handler] { (static_cast<T*>(this)->*handler)(); });
    }
    // A handler for a message of the program's own (WM_USER and above).
    void OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

private:
    class Events; // what the backend's window reports, passed on to the hooks above
    void Destroy();

    UINT m_templateId;
    const DialogTemplate* m_template = nullptr;
    std::unique_ptr<DialogWindow> m_window;
    std::map<int, std::unique_ptr<CWnd>> m_items;
    std::map<int, std::function<void()>> m_commands;
    std::map<int, std::function<void()>> m_changes;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> m_messages;
    std::map<UINT_PTR, UINT> m_timers; // running timers and their periods
    std::unique_ptr<CMenu> m_systemMenu;
    bool m_paintLeftToSystem = false; // the base OnPaint ran: the system paints
    bool m_ending = false;
    int m_result = -1;
};

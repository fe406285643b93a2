// The seam between the framework's common code and a platform backend. CDialog's own
// logic (items by id, the message map, data exchange, timers' bookkeeping, the modal
// stack, EndDialog) is written once in framework/; a backend supplies the window behind a
// running dialog (DialogWindow), made by CreateDialogWindow, and reports what happens to
// it through DialogEvents. Besides this, a backend defines what the public headers declare
// for controls, painting, message boxes and the platform services (see its backend.h).
// Private to the framework.
#pragma once

#include "framework/dialog.h"
#include "framework/dialog_template.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What a window reports to its dialog: the dialog's hooks, which only the window calls.
class DialogEvents {
public:
    // The dialog itself, for its public calls (commands, changes, messages, EndDialog).
    virtual CDialog& Dialog() = 0;

    // The window and its controls exist: the dialog takes their handles and runs
    // OnInitDialog. TRUE: the first tab stop should take the focus.
    virtual BOOL Initialise() = 0;
    virtual void Close() = 0;                            // the close request (OnClose)
    virtual void SysCommand(UINT id, LPARAM lParam) = 0; // a system-menu command
    virtual void Timer(UINT_PTR id) = 0;
    // The window needs painting. False: the dialog left it to the system.
    virtual bool Paint() = 0;
    virtual void Size(UINT type, int cx, int cy) = 0;
    virtual BOOL PreTranslate(MSG* msg) = 0; // a key, before the dialog manager
    // The window goes; its controls are still there (OnDestroy).
    virtual void Destroying() = 0;

protected:
    ~DialogEvents() = default;
};

// The backend's window behind one running dialog, as wxWidgets' ShowModal and EndModal:
// made from the dialog's template, run modally until End, then destroyed with this object.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // Shows the window and runs its modal loop until End: Initialise is reported once the
    // window and its controls exist, and the loop does not start when the dialog ended
    // during it. Destroying is reported before this returns. False when the window could
    // not be made.
    virtual bool RunModal() = 0;
    // Ends the modal loop, from inside it or from Initialise.
    virtual void End(int result) = 0;

    // Null until the window exists and after it is gone.
    virtual HWND Handle() const = 0;
    // A control by its template id; null when there is none.
    virtual HWND Control(int id) const = 0;

    virtual CRect MapDialogRect(const CRect& dialogUnits) const = 0;
    virtual CRect ClientRect() const = 0;
    // As ShowWindow: TRUE when the window was visible before.
    virtual BOOL Show(int cmdShow) = 0;
    virtual BOOL IsVisible() const = 0;
    virtual BOOL IsIconic() const = 0;
    virtual void SetForeground() = 0;
    virtual void SetIcon(UINT iconId) = 0;
    virtual void AddAccelerator(const std::string& keys, int commandId) = 0;

    // A timer that reports its ticks to Timer until stopped; starting it again restarts it.
    virtual bool StartTimer(UINT_PTR id, UINT elapseMs) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;

    // The window's system menu: back to the standard items, and one item more.
    virtual void RevertSystemMenu() = 0;
    virtual BOOL AppendSystemMenuItem(const CMenu::Item& item) = 0;
    // What the system does with a system command the dialog passed on (SC_CLOSE is the
    // dialog's own: OnClose).
    virtual void DefaultSysCommand(UINT id, LPARAM lParam) = 0;
};

// The window for `events`' dialog, made from `tpl` when it runs, owned by `owner` (null
// for none).
std::unique_ptr<DialogWindow> CreateDialogWindow(DialogEvents& events, const DialogTemplate& tpl,
                                                 HWND owner);

// The program file's name without its extension, for a program that gave no name.
std::string ProgramName();

// The window of the innermost dialog whose modal loop runs: the owner of the next dialog,
// message box or file dialog. Null when none runs.
HWND ModalOwner();

// For each edit and combo box of a template, the static text that labels it, by their
// indexes in the template's controls: the text to its left on the same row, else the one
// just above it. Screen readers name the field after that text.
std::vector<std::pair<std::size_t, std::size_t>> FieldLabels(const DialogTemplate& tpl);

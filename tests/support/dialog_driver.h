// Drives the framework's dialogs and message boxes by their window handles, the same way
// on either backend, so that one set of contract tests holds both to the same behaviour.
// Each queued step acts on the next modal window that comes up; a watchdog fails the test
// instead of letting it hang.
#pragma once

#include "framework/dialog.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drive {

using Step = std::function<void(HWND modal)>;

class Script {
public:
    explicit Script(int watchdogMs = 10000);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Acts on the next modal window that becomes the innermost one.
    Script& Then(Step step);
    // The next modal window must be the dialog of that template.
    Script& OnDialog(UINT templateId, Step step);
    // The next modal window must be a message box: its text is kept and it is dismissed.
    Script& AcceptMessage();

    const std::vector<std::string>& messages() const;
    bool finished() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Input as the learner gives it: the key goes to `target` (a dialog or one of its controls).
void PressKey(HWND target, WPARAM virtualKey, bool alt = false);
void PressCloseBox(HWND dialog);
void Click(HWND dialog, int id);
// Moves the focus to a push button as Tab would.
void FocusButton(HWND dialog, int id);

HWND Control(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::string& text); // as the program sets it
std::string Text(HWND dialog, int id);
std::string Caption(HWND window);
UINT TemplateOf(HWND window); // 0 for a window that is no template's dialog
bool IsMessageBox(HWND window);
std::string MessageText(HWND window);
HWND OwnerOf(HWND window);
// Where a control lies, in pixels of its dialog's client area.
CRect ControlRect(HWND dialog, int id);
// The name a screen reader announces for a control.
std::string AccessibleName(HWND control);

// Runs `action` once the current event or message has been handled.
void Later(std::function<void()> action);
// Handles events until `condition` holds; false when it did not within `timeoutMs`.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

} // namespace drive

// Test stand-ins for the notification area and the shell.
#pragma once

#include "framework/shell.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

class FakeNotificationArea : public NotificationArea {
public:
    explicit FakeNotificationArea(bool available) : m_available(available) {
        SetNotificationArea(this);
    }
    ~FakeNotificationArea() override { SetNotificationArea(nullptr); }

    bool Available() const override { return m_available; }
    bool Add(const NOTIFYICONDATA& data) override {
        ++adds;
        lastTip = data.szTip;
        return m_available && icons.insert({data.hWnd, data.uID}).second;
    }
    bool Delete(const NOTIFYICONDATA& data) override {
        return icons.erase({data.hWnd, data.uID}) > 0;
    }

    std::set<std::pair<CDialog*, UINT>> icons;
    int adds = 0;
    std::string lastTip;

private:
    bool m_available;
};

class FakeShell : public ShellService {
public:
    FakeShell() { SetShellService(this); }
    ~FakeShell() override { SetShellService(nullptr); }
    INT_PTR Open(const std::string& target, int) override {
        opened.push_back(target);
        return 2; // nothing there
    }
    std::vector<std::string> opened;
};

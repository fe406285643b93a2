// The dialog contract every backend keeps: the same tests run against the Qt backend (in
// gui_tests) and against the Win32 one under Wine (dialog_contract_tests).
#include "framework/afx.h"
#include "framework/dialog_template.h"
#include "res/resource.h"

#include "support/dialog_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using drive::Script;
using Calls = std::vector<std::string>;

// The give-up template with every hook recorded.
class ProbeDlg : public CDialog {
public:
    explicit ProbeDlg(UINT templateId = IDD_GIVEUP) : CDialog(templateId) {}
    Calls calls;
    std::vector<UINT> sysCommands;
    int ticks = 0;
    std::function<void()> onInit;
    std::function<void(UINT_PTR)> onTick;
    void Bind(int id, std::function<void()> handler) { OnCommand(id, std::move(handler)); }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit)
            onInit();
        return TRUE;
    }
    void OnOK() override {
        calls.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        calls.push_back("OnCancel");
        CDialog::OnCancel();
    }
    void OnClose() override {
        calls.push_back("OnClose");
        CDialog::OnClose();
    }
    void OnDestroy() override { calls.push_back("OnDestroy"); }
    void OnTimer(UINT_PTR id) override {
        ++ticks;
        if (onTick)
            onTick(id);
    }
    void OnSysCommand(UINT id, LPARAM lParam) override {
        sysCommands.push_back(id);
        CDialog::OnSysCommand(id, lParam);
    }
};

TEST(DialogContract, KeysAndTheCloseBoxTakeTheWindowsPaths) {
    struct Case {
        const char* name;
        drive::Step act;
        int result;
        Calls calls;
    };
    const std::vector<Case> cases = {
        {"Esc",
         [](HWND d) { drive::PressKey(drive::Control(d, IDC_EDIT), VK_ESCAPE); },
         IDCANCEL,
         {"OnCancel", "OnDestroy"}},
        {"close box",
         [](HWND d) { drive::PressCloseBox(d); },
         IDCANCEL,
         {"OnClose", "OnCancel", "OnDestroy"}},
        {"Alt+F4",
         [](HWND d) { drive::PressKey(drive::Control(d, IDC_EDIT), VK_F4, true); },
         IDCANCEL,
         {"OnClose", "OnCancel", "OnDestroy"}},
        {"Enter in the edit: the default button",
         [](HWND d) { drive::PressKey(drive::Control(d, IDC_EDIT), VK_RETURN); },
         IDOK,
         {"OnOK", "OnDestroy"}},
        {"Enter on a focused button: that button",
         [](HWND d) {
             drive::FocusButton(d, IDCANCEL);
             drive::PressKey(drive::Control(d, IDCANCEL), VK_RETURN);
         },
         IDCANCEL,
         {"OnCancel", "OnDestroy"}},
    };
    for (const Case& c : cases) {
        Script script;
        script.OnDialog(IDD_GIVEUP, c.act);
        ProbeDlg dlg;
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.calls, c.calls) << c.name;
    }
}

TEST(DialogContract, BoundCommandRunsInsteadOfTheDefault) {
    Script script;
    script.OnDialog(IDD_GIVEUP,
                    [](HWND d) { drive::PressKey(drive::Control(d, IDC_EDIT), VK_ESCAPE); });
    ProbeDlg dlg;
    bool ran = false;
    dlg.Bind(IDCANCEL, [&] {
        ran = true;
        dlg.EndDialog(77);
    });
    EXPECT_EQ(dlg.DoModal(), 77);
    EXPECT_TRUE(ran);
    EXPECT_EQ(dlg.calls, Calls{"OnDestroy"});
}

// Ended before its loop ran, a dialog never shows and still hears OnDestroy; one without a
// template cannot run.
TEST(DialogContract, EndDialogInOnInitDialogEndsBeforeTheLoop) {
    Script script; // its watchdog ends a loop that should not have run
    ProbeDlg dlg;
    bool visibleAtInit = true;
    dlg.onInit = [&] {
        visibleAtInit = dlg.IsWindowVisible();
        dlg.SetTimer(3, 10);
        dlg.EndDialog(5);
    };
    EXPECT_EQ(dlg.DoModal(), 5);
    EXPECT_FALSE(visibleAtInit);
    EXPECT_EQ(dlg.calls, Calls{"OnDestroy"});
    EXPECT_EQ(dlg.ticks, 0);
    EXPECT_FALSE(dlg.IsWindow());
    EXPECT_EQ(dlg.GetTimerPeriod(3), 0u);

    CDialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
}

// Only EndDialog ends a modal loop: a dialog hidden and back in its loop still runs, at
// any depth. A nested dialog is owned by the one it opened over.
TEST(DialogContract, HidingKeepsTheModalLoopRunningAtEveryDepth) {
    Script script;
    ProbeDlg outer, inner;
    HWND outerWindow = nullptr;
    bool innerRanOn = false, outerRanOn = false;
    auto hideThenEndLater = [](ProbeDlg& dlg, bool& ranOn) {
        dlg.ShowWindow(SW_HIDE);
        drive::Later([&dlg, &ranOn] {
            ranOn = dlg.IsWindow() && !dlg.IsWindowVisible();
            dlg.ShowWindow(SW_SHOWNORMAL);
            dlg.EndDialog(IDOK);
        });
    };
    script.OnDialog(IDD_GIVEUP, [&](HWND d) {
        outerWindow = d;
        EXPECT_EQ(inner.DoModal(), IDOK);
        hideThenEndLater(outer, outerRanOn);
    });
    script.Then([&](HWND d) {
        EXPECT_EQ(drive::OwnerOf(d), outerWindow);
        hideThenEndLater(inner, innerRanOn);
    });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_TRUE(innerRanOn);
    EXPECT_TRUE(outerRanOn);
}

// The window and its controls are where the template puts them, in dialog units of the
// dialog's font: a control's place from its position, its size from its extent.
TEST(DialogContract, ControlsSitWhereTheTemplatePutsThem) {
    Script script;
    ProbeDlg dlg;
    script.OnDialog(IDD_GIVEUP, [&](HWND d) {
        const DialogTemplate* tpl = FindDialogTemplate(IDD_GIVEUP);
        CRect client;
        dlg.GetClientRect(&client);
        const CRect size = dlg.MapDialogRect({0, 0, tpl->cx, tpl->cy});
        EXPECT_EQ(client.Width(), size.Width());
        EXPECT_EQ(client.Height(), size.Height());
        EXPECT_GT(size.Width(), tpl->cx); // a dialog unit is more than a pixel here
        for (const ControlTemplate& c : tpl->controls) {
            if (c.id == IDC_STATIC)
                continue;
            const CRect place = dlg.MapDialogRect({c.x, c.y, c.x, c.y});
            const CRect extent = dlg.MapDialogRect({0, 0, c.cx, c.cy});
            const CRect got = drive::ControlRect(d, c.id);
            EXPECT_EQ(got.left, place.left) << c.id;
            EXPECT_EQ(got.top, place.top) << c.id;
            EXPECT_EQ(got.Width(), extent.Width()) << c.id;
            EXPECT_EQ(got.Height(), extent.Height()) << c.id;
        }
        EXPECT_EQ(drive::Caption(d), "警告！");
        drive::Click(d, IDCANCEL);
    });
    dlg.DoModal();
}

// A field is announced by the text that labels it, unless the program names it itself.
TEST(DialogContract, ScreenReadersHearFieldsByTheirLabelsOrTheProgramsName) {
    struct Case {
        UINT dialog;
        int control;
        const char* name;     // the program's, or none
        const char* expected; // what a screen reader hears
    };
    const Case cases[] = {
        {IDD_SETTINGS, IDC_EDIT, nullptr, "每日背单词数"},
        {IDD_SETTINGS, IDC_PER_READ, nullptr, "每次读取数量"},
        {IDD_SETTINGS, IDC_INTERVAL, nullptr, "强制背单词间隔"},
        {IDD_SETTINGS, IDC_BANK, nullptr, "选择单词库"},
        {IDD_GIVEUP, IDC_EDIT, nullptr,
         "您今天的任务未完成，您要退出放弃吗!如果放弃请输入\"我放弃\""},
        {IDD_GIVEUP, IDC_EDIT, "放弃确认", "放弃确认"},
        {IDD_GIVEUP, IDOK, "确定放弃", "确定放弃"},
    };
    for (const Case& c : cases) {
        Script script;
        ProbeDlg dlg(c.dialog);
        dlg.onInit = [&] {
            if (c.name)
                dlg.GetDlgItem(c.control)->SetAccessibleName(c.name);
        };
        script.OnDialog(c.dialog, [&](HWND d) {
            EXPECT_EQ(drive::AccessibleName(drive::Control(d, c.control)), c.expected)
                << c.dialog << " " << c.control;
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }
}

TEST(DialogContract, TimersTickWhileAnotherModalWindowRunsOnTop) {
    Script script;
    ProbeDlg dlg;
    dlg.onInit = [&] { dlg.SetTimer(1, 10); };
    int ticksWhileBoxOpen = 0;
    script.OnDialog(IDD_GIVEUP, [&](HWND) {
        EXPECT_EQ(dlg.GetTimerPeriod(1), 10u);
        AfxMessageBox("提示");
    });
    script.Then([&](HWND box) {
        EXPECT_TRUE(drive::IsMessageBox(box));
        const int before = dlg.ticks;
        EXPECT_TRUE(drive::WaitUntil([&] { return dlg.ticks >= before + 2; }));
        ticksWhileBoxOpen = dlg.ticks - before;
        drive::PressKey(box, VK_RETURN);
    });
    dlg.onTick = [&](UINT_PTR) {
        if (script.finished() && ticksWhileBoxOpen > 0) {
            EXPECT_TRUE(dlg.KillTimer(1));
            EXPECT_FALSE(dlg.KillTimer(1));
            EXPECT_EQ(dlg.GetTimerPeriod(1), 0u);
            dlg.EndDialog(IDOK);
        }
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GE(ticksWhileBoxOpen, 2);
}

TEST(DialogContract, MessageBoxIsCaptionedWithTheApplicationName) {
    Script script;
    std::string caption;
    script.Then([&](HWND box) {
        caption = drive::Caption(box);
        drive::PressKey(box, VK_RETURN);
    });
    CWinApp app("Wordmill");
    EXPECT_EQ(AfxMessageBox("数据"), IDOK);
    EXPECT_EQ(caption, "Wordmill");
}

// A system command reaches OnSysCommand, whose base closes through OnClose and leaves the
// window's own commands to the window; what the program appended to the system menu comes
// back by its id.
TEST(DialogContract, SystemCommandsTakeOneAndTheSamePath) {
    struct Case {
        const char* name;
        UINT command;
        int result;
        Calls calls;
    };
    const Case cases[] = {
        {"close", SC_CLOSE, IDCANCEL, {"OnClose", "OnCancel", "OnDestroy"}},
        {"an appended item", IDM_ABOUTBOX, IDOK, {"OnDestroy"}},
        {"minimise", SC_MINIMIZE, IDOK, {"OnDestroy"}},
    };
    for (const Case& c : cases) {
        Script script;
        ProbeDlg dlg(IDD_WORDMILL_DIALOG);
        bool iconic = false;
        dlg.onInit = [&] {
            CMenu* menu = dlg.GetSystemMenu(FALSE);
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
            EXPECT_TRUE(menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "关于 Wordmill(&A)..."));
            EXPECT_EQ(menu->Items().size(), 2u);
        };
        script.OnDialog(IDD_WORDMILL_DIALOG, [&](HWND) {
            dlg.SendSysCommand(c.command);
            if (c.result == IDOK) {
                EXPECT_TRUE(drive::WaitUntil([&] {
                    return c.command != SC_MINIMIZE || dlg.IsIconic();
                })) << c.name;
                iconic = dlg.IsIconic();
                dlg.EndDialog(IDOK);
            }
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.sysCommands, std::vector<UINT>{c.command}) << c.name;
        EXPECT_EQ(dlg.calls, c.calls) << c.name;
        EXPECT_EQ(iconic, c.command == SC_MINIMIZE) << c.name;
    }
}

// The data exchange on its own: a flag and a number on the settings template.
class ExchangeDlg : public CDialog {
public:
    ExchangeDlg() : CDialog(IDD_SETTINGS) {}
    int flag = 7;
    UINT number = 45;
    BOOL lastExchange = -1;
    void Exchange() { lastExchange = UpdateData(TRUE); }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Check(dx, IDC_FORCED, flag);
        DDX_Text(dx, IDC_INTERVAL, number);
    }
};

TEST(DialogContract, DataExchangePutsValuesInAndReadsThemBackOrFailsWithThePrompt) {
    Script script;
    ExchangeDlg dlg;
    script
        .OnDialog(IDD_SETTINGS,
                  [&](HWND d) {
                      EXPECT_EQ(dlg.flag, 0); // out of 0..2: reset before it was shown
                      EXPECT_EQ(drive::Text(d, IDC_INTERVAL), "45");
                      drive::SetText(d, IDC_INTERVAL, " 60 ");
                      dlg.Exchange();
                      EXPECT_TRUE(dlg.lastExchange);
                      EXPECT_EQ(dlg.number, 60u);
                      drive::SetText(d, IDC_INTERVAL, "6o");
                      dlg.Exchange(); // shows the prompt, then fails
                  })
        .AcceptMessage()
        .Then([&](HWND d) {
            EXPECT_FALSE(dlg.lastExchange);
            EXPECT_EQ(dlg.number, 60u); // unchanged by the failed exchange
            drive::Click(d, IDCANCEL);
        });
    dlg.DoModal();
    EXPECT_EQ(script.messages(), std::vector<std::string>{kPromptPositiveNumber});
}

} // namespace

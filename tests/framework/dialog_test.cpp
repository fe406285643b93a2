#include "framework/afx.h"
#include "framework/dialog_template.h"
#include "framework/qt/backend.h"
#include "framework/qt/dialog_window.h"
#include "framework/skin.h"
#include "res/resource.h"

#include "support/modal_driver.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QRawFont>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

// The give-up template with every hook recorded.
class ProbeDlg : public CDialog {
public:
    ProbeDlg() : CDialog(IDD_GIVEUP) {}
    std::vector<std::string> calls;
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
};

using Calls = std::vector<std::string>;

TEST(Dialog, KeysAndTheCloseBoxTakeTheWindowsPaths) {
    struct Case {
        const char* name;
        std::function<void(QWidget*)> act;
        int result;
        Calls calls;
    };
    const std::vector<Case> cases = {
        {"Esc",
         [](QWidget* d) { Key(Control(d, IDC_EDIT), Qt::Key_Escape); },
         IDCANCEL,
         {"OnCancel", "OnDestroy"}},
        {"close box",
         [](QWidget* d) { d->close(); },
         IDCANCEL,
         {"OnClose", "OnCancel", "OnDestroy"}},
        {"Alt+F4",
         [](QWidget* d) { Key(d, Qt::Key_F4, Qt::AltModifier); },
         IDCANCEL,
         {"OnClose", "OnCancel", "OnDestroy"}},
        {"Enter in the edit: default button",
         [](QWidget* d) { Key(Control(d, IDC_EDIT), Qt::Key_Return); },
         IDOK,
         {"OnOK", "OnDestroy"}},
        {"Enter on a focused button: that button",
         [](QWidget* d) {
             Control(d, IDCANCEL)->setFocus();
             Key(Control(d, IDCANCEL), Qt::Key_Enter);
         },
         IDCANCEL,
         {"OnCancel", "OnDestroy"}},
    };
    for (const Case& c : cases) {
        ModalDriver driver;
        driver.OnDialog(IDD_GIVEUP, c.act);
        ProbeDlg dlg;
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.calls, c.calls) << c.name;
    }
}

TEST(Dialog, BoundCommandRunsInsteadOfTheDefault) {
    ModalDriver driver;
    driver.OnDialog(IDD_GIVEUP, [](QWidget* d) { Key(Control(d, IDC_EDIT), Qt::Key_Escape); });
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

// Only EndDialog ends a modal loop: a dialog hidden and back in its loop still runs, at
// any depth. A nested dialog is owned by the one it opened over.
TEST(Dialog, HidingKeepsTheModalLoopRunningAtEveryDepth) {
    ModalDriver driver;
    ProbeDlg outer, inner;
    QWidget* outerWindow = nullptr;
    bool innerRanOn = false, outerRanOn = false;
    auto hideThenEndLater = [](ProbeDlg& dlg, bool& ranOn) {
        dlg.ShowWindow(SW_HIDE);
        QTimer::singleShot(0, QtWidget(dlg.GetSafeHwnd()), [&dlg, &ranOn] {
            ranOn = dlg.IsWindow() && !dlg.IsWindowVisible();
            dlg.ShowWindow(SW_SHOWNORMAL);
            dlg.EndDialog(IDOK);
        });
    };
    driver.OnDialog(IDD_GIVEUP, [&](QWidget* d) {
        outerWindow = d;
        EXPECT_EQ(inner.DoModal(), IDOK);
        hideThenEndLater(outer, outerRanOn);
    });
    driver.Then([&](QWidget* d) {
        EXPECT_EQ(d->parentWidget(), outerWindow);
        hideThenEndLater(inner, innerRanOn);
    });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_TRUE(innerRanOn);
    EXPECT_TRUE(outerRanOn);
}

// A dialog's font names one family, the first of its choices installed, or none at all.
TEST(Dialog, TheTemplateFontNamesTheFirstInstalledFamilyOnly) {
    EXPECT_EQ(FirstInstalledFamily({"No Such Family", "DejaVu Sans", "WenQuanYi Micro Hei"}),
              QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(FirstInstalledFamily({"No Such Family"}).isEmpty());
    QFont font;
    const QStringList defaults = font.families();
    SetFamily(font, {});
    EXPECT_EQ(font.families(), defaults);
    EXPECT_EQ(TemplateFont("宋体", 9).families(), QStringList{"WenQuanYi Micro Hei"});
}

TEST(Dialog, GeometryFollowsDialogUnitsOfTheTemplateFont) {
    ModalDriver driver;
    driver.OnDialog(IDD_GIVEUP, [](QWidget* d) {
        QFontMetrics fm(d->font());
        const int avg = (fm.horizontalAdvance(QStringLiteral(
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                             26 +
                         1) /
                        2;
        const int height = fm.height();
        auto px = [](int du, int base, int div) { return (du * base + div / 2) / div; };
        const DialogTemplate* tpl = FindDialogTemplate(IDD_GIVEUP);
        EXPECT_EQ(d->width(), px(tpl->cx, avg, 4));
        EXPECT_EQ(d->height(), px(tpl->cy, height, 8));
        // Edit 1006 at 41, 67; 101 × 17.
        const QRect edit = Control(d, IDC_EDIT)->geometry();
        EXPECT_EQ(edit.x(), px(41, avg, 4));
        EXPECT_EQ(edit.y(), px(67, height, 8));
        EXPECT_EQ(edit.width(), px(101, avg, 4));
        EXPECT_EQ(edit.height(), px(17, height, 8));
        EXPECT_EQ(d->windowTitle(), QStringLiteral("警告！"));
        Click(d, IDCANCEL);
    });
    ProbeDlg dlg;
    dlg.DoModal();
}

TEST(Dialog, EveryTemplateTextDrawsWithRealGlyphs) {
    for (UINT id :
         {IDD_ABOUTBOX, IDD_WORDMILL_DIALOG, IDD_SETTINGS, IDD_BROWSE, IDD_SPELL, IDD_GIVEUP}) {
        const DialogTemplate* tpl = FindDialogTemplate(id);
        ASSERT_NE(tpl, nullptr) << id;
        ModalDriver driver;
        driver.OnDialog(id, [tpl](QWidget* d) {
            QImage image(d->size(), QImage::Format_ARGB32);
            d->render(&image); // draws every control once
            QRawFont raw = QRawFont::fromFont(d->font());
            ASSERT_TRUE(raw.isValid());
            QString all = d->windowTitle();
            for (const ControlTemplate& c : tpl->controls)
                all += QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
            for (QChar ch : all)
                EXPECT_TRUE(ch.isSpace() || raw.supportsCharacter(ch))
                    << "no glyph for U+" << std::hex << unsigned(ch.unicode()) << " in "
                    << raw.familyName().toStdString();
            qobject_cast<QDialog*>(d)->done(IDCANCEL);
        });
        CDialog dlg(id);
        dlg.DoModal();
    }
}

// WCAG's contrast ratio of two colours (1 to 21).
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05, lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// With the skin over a dark desktop palette, every text keeps its contrast (the colours
// the widgets end up with: transparent ones are read against the dialog), in the skin's
// own colours and in eye protection's green.
TEST(Dialog, UnderADarkPaletteTheSkinKeepsEveryTextReadable) {
    const QPalette before = QApplication::palette();
    const QString sheetBefore = qApp->styleSheet();
    QPalette dark;
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, QColor(0x30, 0x30, 0x30));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    QApplication::setPalette(dark);
    ASSERT_TRUE(SkinLoadFile(WORDMILL_SOURCE_DIR "/data/Skins/corona.smf"));
    for (bool eyes : {false, true})
        for (UINT id :
             {IDD_ABOUTBOX, IDD_WORDMILL_DIALOG, IDD_SETTINGS, IDD_BROWSE, IDD_SPELL, IDD_GIVEUP}) {
            SkinSetEyeProtection(eyes);
            ModalDriver driver;
            driver.OnDialog(id, [id, eyes](QWidget* d) {
                const QColor window = d->palette().color(QPalette::Window);
                if (eyes) { // green paper: green leads
                    EXPECT_GT(window.green(), window.red() + 20) << window.name().toStdString();
                }
                for (QWidget* w : d->findChildren<QWidget*>()) {
                    auto* label = qobject_cast<QLabel*>(w);
                    if (label && label->text().isEmpty())
                        continue; // a picture
                    const bool transparent = label || qobject_cast<QCheckBox*>(w);
                    const QColor fg = w->palette().color(w->foregroundRole());
                    const QColor bg =
                        transparent ? window : w->palette().color(w->backgroundRole());
                    EXPECT_GE(Contrast(fg, bg), 4.5)
                        << "dialog " << id << " " << w->objectName().toStdString() << " "
                        << fg.name().toStdString() << " on " << bg.name().toStdString();
                }
                qobject_cast<QDialog*>(d)->done(IDCANCEL);
            });
            CDialog dlg(id);
            dlg.DoModal();
        }
    SkinSetEyeProtection(false);
    qApp->setStyleSheet(sheetBefore);
    QApplication::setPalette(before);
}

// A field is named after its label, which becomes its buddy.
TEST(Dialog, FieldsAreNamedAfterTheirLabels) {
    const std::tuple<UINT, int, const char*> fields[] = {
        {IDD_SETTINGS, IDC_EDIT, "每日背单词数"},
        {IDD_SETTINGS, IDC_PER_READ, "每次读取数量"},
        {IDD_SETTINGS, IDC_INTERVAL, "强制背单词间隔"},
        {IDD_SETTINGS, IDC_BANK, "选择单词库"},
        {IDD_GIVEUP, IDC_EDIT, "您今天的任务未完成，您要退出放弃吗!如果放弃请输入\"我放弃\""},
    };
    for (const auto& [id, control, name] : fields) {
        ModalDriver driver;
        driver.OnDialog(id, [control = control, name = name](QWidget* d) {
            QWidget* field = Control(d, control);
            EXPECT_EQ(field->accessibleName(), QString::fromUtf8(name));
            bool buddy = false;
            for (QLabel* label : d->findChildren<QLabel*>())
                buddy |= label->buddy() == field && label->text() == QString::fromUtf8(name);
            EXPECT_TRUE(buddy) << name;
            qobject_cast<QDialog*>(d)->done(IDCANCEL);
        });
        CDialog dlg(id);
        dlg.DoModal();
    }
}

TEST(Dialog, TimersTickWhileAnotherModalWindowRunsOnTop) {
    ModalDriver driver;
    ProbeDlg dlg;
    dlg.onInit = [&] { dlg.SetTimer(1, 10); };
    int ticksWhileBoxOpen = 0;
    driver.OnDialog(IDD_GIVEUP, [&](QWidget*) { AfxMessageBox("提示"); }).Then([&](QWidget* box) {
        EXPECT_TRUE(IsMessageBox(box));
        const int before = dlg.ticks;
        QTRY_VERIFY_WITH_TIMEOUT(dlg.ticks >= before + 2, 2000);
        ticksWhileBoxOpen = dlg.ticks - before;
        qobject_cast<QDialog*>(box)->done(0);
    });
    dlg.onTick = [&](UINT_PTR) {
        if (driver.finished() && ticksWhileBoxOpen > 0) {
            dlg.KillTimer(1);
            dlg.EndDialog(IDOK);
        }
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GE(ticksWhileBoxOpen, 2);
}

TEST(Dialog, MessageBoxIsCaptionedWithTheApplicationName) {
    ModalDriver driver;
    QString caption;
    driver.Then([&](QWidget* box) {
        caption = box->windowTitle();
        qobject_cast<QDialog*>(box)->done(0);
    });
    CWinApp app("Wordmill");
    EXPECT_EQ(AfxMessageBox("数据"), IDOK);
    EXPECT_EQ(caption, QStringLiteral("Wordmill"));
}

TEST(Dialog, SystemMenuOffersStandardAndAppendedItems) {
    class MenuDlg : public CDialog {
    public:
        MenuDlg() : CDialog(IDD_WORDMILL_DIALOG) {}
        std::vector<UINT> commands;

    protected:
        BOOL OnInitDialog() override {
            CMenu* menu = GetSystemMenu(FALSE);
            menu->AppendMenu(MF_SEPARATOR);
            menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "关于 Wordmill(&A)...");
            return TRUE;
        }
        void OnSysCommand(UINT id, LPARAM lParam) override {
            commands.push_back(id);
            CDialog::OnSysCommand(id, lParam);
        }
    };
    ModalDriver driver;
    QStringList items;
    driver.OnDialog(IDD_WORDMILL_DIALOG, [&](QWidget* d) {
        ChooseFromNextMenu(QStringLiteral("关于 Wordmill(&A)..."), &items);
        Key(d, Qt::Key_Space, Qt::AltModifier); // opens the menu, returns when it closes
        Key(d, Qt::Key_Escape);
    });
    MenuDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(items, (QStringList{"还原(&R)", "最小化(&N)", "最大化(&X)", "-", "关闭(&C)\tAlt+F4",
                                  "-", "关于 Wordmill(&A)..."}));
    EXPECT_EQ(dlg.commands, std::vector<UINT>{IDM_ABOUTBOX});

    // A right-click on the window's background offers the same menu; its close item
    // takes the close path.
    ModalDriver again;
    again.OnDialog(IDD_WORDMILL_DIALOG, [](QWidget* d) {
        ChooseFromNextMenu(QStringLiteral("关闭(&C)\tAlt+F4"));
        const QPoint background(d->width() - 2, d->height() - 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, background, d->mapToGlobal(background));
        QApplication::sendEvent(d, &click);
    });
    MenuDlg second;
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.commands, std::vector<UINT>{SC_CLOSE});
}

} // namespace

namespace {

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

TEST(DataExchange, PutsValuesInAndReadsThemBackOrFailsWithThePrompt) {
    ModalDriver driver;
    ExchangeDlg dlg;
    driver
        .OnDialog(IDD_SETTINGS,
                  [&](QWidget* d) {
                      EXPECT_EQ(dlg.flag, 0); // out of 0..2: reset before it was shown
                      EXPECT_EQ(Text(d, IDC_INTERVAL), "45");
                      SetText(d, IDC_INTERVAL, " 60 ");
                      dlg.Exchange();
                      EXPECT_TRUE(dlg.lastExchange);
                      EXPECT_EQ(dlg.number, 60u);
                      SetText(d, IDC_INTERVAL, "6o");
                      dlg.Exchange(); // shows the prompt, then fails
                  })
        .AcceptMessage()
        .Then([&](QWidget* d) {
            EXPECT_FALSE(dlg.lastExchange);
            EXPECT_EQ(dlg.number, 60u); // unchanged by the failed exchange
            Click(d, IDCANCEL);
        });
    dlg.DoModal();
    EXPECT_EQ(driver.messages(), std::vector<std::string>{kPromptPositiveNumber});
}

} // namespace

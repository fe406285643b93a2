// What the Qt backend does of its own: fonts, glyphs, the skin's colours, buddies, the
// system menu it shows itself. The behaviour every backend shares is dialog_contract_test.cpp's.
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

// The dialog units are the template font's: Windows' average character width and height.
TEST(Dialog, DialogUnitsAreThoseOfTheTemplateFont) {
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
        Click(d, IDCANCEL);
    });
    CDialog dlg(IDD_GIVEUP);
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

// A field's label is its buddy: Alt and the label's mnemonic reach the field. (That a screen
// reader hears the field by the label is the contract's, on every backend.)
TEST(Dialog, AFieldsLabelIsItsBuddy) {
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

#include "drills/giveup_dlg.h"
#include "res/resource.h"

#include "support/modal_driver.h"

#include <gtest/gtest.h>

namespace {

TEST(GiveUp, OnlyTheExactPhraseConfirms) {
    ModalDriver driver;
    driver.OnDialog(IDD_GIVEUP, [](QWidget* dlg) { Click(dlg, IDOK); })
        .AcceptMessage()
        .Then([](QWidget* dlg) {
            EXPECT_EQ(TemplateOf(dlg), unsigned(IDD_GIVEUP)); // still open after the message
            SetText(dlg, IDC_EDIT, QStringLiteral(" 我放弃 "));
            Click(dlg, IDOK);
        })
        .AcceptMessage()
        .Then([](QWidget* dlg) {
            EXPECT_EQ(Text(dlg, IDC_EDIT), QStringLiteral(" 我放弃 ")); // the typed text stays
            SetText(dlg, IDC_EDIT, QStringLiteral("我放弃"));
            Click(dlg, IDOK);
        });
    CGiveUpDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(driver.messages(), (std::vector<std::string>{"输入错误", "输入错误"}));
}

TEST(GiveUp, EnterInTheEditConfirmsLikeTheButton) {
    ModalDriver driver;
    driver.OnDialog(IDD_GIVEUP, [](QWidget* dlg) {
        SetText(dlg, IDC_EDIT, QStringLiteral("我放弃"));
        Key(Control(dlg, IDC_EDIT), Qt::Key_Return);
    });
    CGiveUpDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(GiveUp, EveryWayOfCancellingCancelsWhateverTheEditHolds) {
    const std::vector<std::function<void(QWidget*)>> ways = {
        [](QWidget* dlg) { Click(dlg, IDCANCEL); },
        [](QWidget* dlg) { Key(Control(dlg, IDC_EDIT), Qt::Key_Escape); },
        [](QWidget* dlg) { dlg->close(); }, // the close box
    };
    for (const auto& cancel : ways) {
        ModalDriver driver;
        driver.OnDialog(IDD_GIVEUP, [&cancel](QWidget* dlg) {
            SetText(dlg, IDC_EDIT, QStringLiteral("我放弃"));
            cancel(dlg);
        });
        CGiveUpDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(driver.messages().empty());
    }
}

} // namespace

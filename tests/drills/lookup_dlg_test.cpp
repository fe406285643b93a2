#include "drills/lookup_dlg.h"

#include "drills/browse_dlg.h"
#include "res/resource.h"
#include "store/own_words.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList Lines(QWidget* dlg, int id) {
    QStringList lines;
    auto* list = qobject_cast<QListWidget*>(Control(dlg, id));
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Typed as an input method commits it, the way Chinese arrives.
void Type(QWidget* dlg, const QString& text) {
    QWidget* query = Control(dlg, IDC_LOOKUP_QUERY);
    query->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(query, &commit);
}

// Found as it is typed, in English and in Chinese; the chosen hit in full; kept in 生词本.
TEST(LookupWindowTest, FindsAsYouTypeAndKeepsAWordInTheOwnList) {
    AppWorld world; // CET4 four0…, CET6 six0…; the meanings 释义0…
    world.Ini("CET6", "rmount", "2");
    ModalDriver driver;
    driver.OnDialog(IDD_LOOKUP, [](QWidget* dlg) {
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_LOOKUP_QUERY));
        Type(dlg, "six1");
        EXPECT_EQ(Lines(dlg, IDC_LOOKUP_HITS),
                  (QStringList{"six1  释义1  （CET6 · 已学）", "six10  释义10  （CET6 · 未学）",
                               "six11  释义11  （CET6 · 未学）", "six12  释义12  （CET6 · 未学）",
                               "six13  释义13  （CET6 · 未学）", "six14  释义14  （CET6 · 未学）",
                               "six15  释义15  （CET6 · 未学）", "six16  释义16  （CET6 · 未学）",
                               "six17  释义17  （CET6 · 未学）", "six18  释义18  （CET6 · 未学）",
                               "six19  释义19  （CET6 · 未学）"}));
        EXPECT_EQ(Text(dlg, IDC_LOOKUP_WORD), "six1");
        qobject_cast<QListWidget*>(Control(dlg, IDC_LOOKUP_HITS))->setCurrentRow(1);
        EXPECT_EQ(Text(dlg, IDC_LOOKUP_WORD), "six10");
        Click(dlg, IDC_ADD_OWN);
        EXPECT_TRUE(Text(dlg, IDC_LOOKUP_MEANING).endsWith("已加入生词本"));

        SetText(dlg, IDC_LOOKUP_QUERY, "");
        Type(dlg, QStringLiteral("释义29"));
        EXPECT_EQ(Lines(dlg, IDC_LOOKUP_HITS), (QStringList{"four29  释义29  （CET4 · 未学）",
                                                            "six29  释义29  （CET6 · 未学）"}));
        Type(dlg, QStringLiteral("火"));
        EXPECT_TRUE(Lines(dlg, IDC_LOOKUP_HITS).isEmpty());
        EXPECT_TRUE(Text(dlg, IDC_LOOKUP_MEANING).startsWith("没有查到"));
        EXPECT_FALSE(Control(dlg, IDC_ADD_OWN)->isEnabled());
        Key(dlg, Qt::Key_Escape);
    });
    CLookupDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(own_words::All(world.connection),
              (std::vector<OwnWord>{{"six10", "释义10", "CET6"}}));
}

// The drill's keys: 2 and 2 miss the word, Ctrl+Z takes the grade back and asks it again.
TEST(LookupWindowTest, TheDrillsUndoKeyAsksTheWordAgain) {
    AppWorld world;
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        EXPECT_FALSE(Control(dlg, IDC_UNDO)->isEnabled());
        Key(dlg, Qt::Key_2); // 不记得
        Key(dlg, Qt::Key_2); // 下一个: missed
        EXPECT_EQ(Text(dlg, IDC_EDIT), "six1");
        ASSERT_TRUE(Control(dlg, IDC_UNDO)->isEnabled());
        EXPECT_TRUE(Control(dlg, IDC_UNDO)->toolTip().contains("Ctrl+Z"));
        Key(dlg, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Text(dlg, IDC_EDIT), "six0");
        EXPECT_EQ(Text(dlg, IDC_LEFT), QStringLiteral("记得"));
        EXPECT_FALSE(Control(dlg, IDC_UNDO)->isEnabled());
        Key(dlg, Qt::Key_Escape);
    });
    CBrowseDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_TRUE(driver.finished());
    EXPECT_TRUE(world.Rows("readfuxi").empty()); // the miss is gone with its grade
}

} // namespace

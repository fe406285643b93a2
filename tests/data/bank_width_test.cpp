// Every meaning of the bundled banks fits the browse drill's word box, measured with the
// box's own font and margins (the skin's included): none scrolls its start out of sight.
#include "drills/browse_dlg.h"

#include "framework/skin.h"
#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "tools/wordbank.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <gtest/gtest.h>

namespace {

// The pixels a line edit gives its text.
int TextWidth(QLineEdit* edit) {
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect text = edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit);
    const QMargins margins = edit->textMargins();
    return text.width() - margins.left() - margins.right() - 4; // Qt's own inner margin
}

TEST(BankWidth, EveryMeaningFitsTheWordBox) {
    AppWorld world;
    const QString sheet = qApp->styleSheet();
    ASSERT_TRUE(SkinLoadFile(WORDMILL_SOURCE_DIR "/data/Skins/corona.smf"));
    std::vector<std::string> tooWide;
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [&](QWidget* dlg) {
        auto* edit = qobject_cast<QLineEdit*>(Control(dlg, IDC_EDIT));
        ASSERT_NE(edit, nullptr);
        const int room = TextWidth(edit);
        const QFontMetrics metrics = edit->fontMetrics();
        for (const char* bank : {"cet4.tsv", "cet6.tsv"})
            for (const WordEntry& entry :
                 ReadWordList(std::string(WORDMILL_SOURCE_DIR "/data/") + bank))
                if (metrics.horizontalAdvance(QString::fromStdString(entry.translation)) > room)
                    tooWide.push_back(entry.word + "\t" + entry.translation);
        Key(dlg, Qt::Key_Escape);
    });
    CBrowseDlg dlg(world.Context());
    dlg.DoModal();
    qApp->setStyleSheet(sheet);
    EXPECT_TRUE(tooWide.empty()) << tooWide.size() << " too wide, the first: "
                                 << (tooWide.empty() ? "" : tooWide.front());
}

} // namespace

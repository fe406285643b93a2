// Every word's examples fit their box in both drills and 查词, measured with the box's own font
// and wrapping (the skin's included): the text wraps, and no line is cut off.
#include "drills/browse_dlg.h"
#include "drills/core/example_text.h"
#include "drills/lookup_dlg.h"
#include "drills/spell_dlg.h"

#include "framework/skin.h"
#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "tools/wordbank.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<std::string, WordExamples> AllExamples() {
    const std::string data = WORDMILL_SOURCE_DIR "/data/";
    std::map<std::string, WordExamples> all;
    for (const ExampleLine& line : ReadExampleList(data + "liju.tsv"))
        all[line.word] = {line.english, line.chinese, {}};
    for (const ExampleLine& line : ReadExampleList(data + "cizu.tsv"))
        all[line.word].phrases.push_back({line.english, line.chinese});
    return all;
}

struct Tallest {
    int height = 0;
    std::string word;
};

// The tallest of every word's text (and hint) as `box` would wrap it.
Tallest Measure(QLabel* box, const std::map<std::string, WordExamples>& all) {
    Tallest tallest;
    for (const auto& [word, examples] : all)
        for (const std::string& text : {ExampleText(examples), HintText(examples, word)}) {
            box->setText(QString::fromStdString(text));
            if (const int height = box->heightForWidth(box->width()); height > tallest.height)
                tallest = {height, word};
        }
    return tallest;
}

TEST(ExampleFit, EveryWordsExamplesFitTheirBoxInBothDrillsAndTheLookup) {
    AppWorld world;
    const QString sheet = qApp->styleSheet();
    ASSERT_TRUE(SkinLoadFile(WORDMILL_SOURCE_DIR "/data/Skins/corona.smf"));
    const std::map<std::string, WordExamples> all = AllExamples();
    ModalDriver driver;
    for (const unsigned dialog : {IDD_BROWSE, IDD_SPELL, IDD_LOOKUP}) {
        driver.OnDialog(dialog, [&](QWidget* dlg) {
            auto* box = qobject_cast<QLabel*>(Control(dlg, IDC_LIJU));
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->wordWrap());
            const Tallest tallest = Measure(box, all);
            // A line to spare: the Windows build wraps in its own fonts.
            const int spare = box->fontMetrics().lineSpacing();
            EXPECT_LE(tallest.height + spare, box->height())
                << "dialog " << dialog << ": " << tallest.word << " needs " << tallest.height
                << " of " << box->height() << " pixels";
            std::printf("dialog %u: %s needs %d of %d pixels\n", dialog, tallest.word.c_str(),
                        tallest.height, box->height());
            Key(dlg, Qt::Key_Escape);
        });
        if (dialog == IDD_BROWSE)
            CBrowseDlg(world.Context()).DoModal();
        else if (dialog == IDD_SPELL)
            CSpellDlg(world.Context()).DoModal();
        else
            CLookupDlg(world.Context()).DoModal();
    }
    qApp->setStyleSheet(sheet);
    EXPECT_TRUE(driver.finished());
}

} // namespace

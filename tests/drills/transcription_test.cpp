// The transcription in both drills: beside the word while browsing, and in the spelling
// drill only once the answer is judged, in a font that has every symbol's glyph.
#include "drills/browse_dlg.h"
#include "drills/spell_dlg.h"

#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

TEST(Transcription, ShownWhileBrowsingAndInTheSpellingDrillOnlyOnceJudged) {
    AppWorld world;
    world.Sql("INSERT INTO yinbiao VALUES ('six0', 'ˌækəˈdemɪk θðʃʒŋæʌɒɜɑʊəː')");
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        const QString shown = QStringLiteral("six0 /ˌækəˈdemɪk θðʃʒŋæʌɒɜɑʊəː/");
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), shown);
        const QFontMetrics metrics(Control(dlg, IDC_YINBIAO)->font());
        for (const char32_t symbol : shown.toStdU32String())
            EXPECT_TRUE(metrics.inFontUcs4(symbol))
                << "no glyph for U+" << std::hex << static_cast<unsigned>(symbol);
        Click(dlg, IDC_LEFT); // the meaning: the transcription stays
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), shown);
        Click(dlg, IDC_LEFT);
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), ""); // six1 has none
        Key(dlg, Qt::Key_Escape);
    });
    CBrowseDlg browse(world.Context());
    browse.DoModal();

    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), ""); // it would give the word away
        SetText(dlg, IDC_EDIT, "six0");
        Click(dlg, IDC_ANSWER);
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), QStringLiteral("six0 /ˌækəˈdemɪk θðʃʒŋæʌɒɜɑʊəː/"));
        Click(dlg, IDC_ANSWER); // the next word
        EXPECT_EQ(Text(dlg, IDC_YINBIAO), "");
        Key(dlg, Qt::Key_Escape);
    });
    CSpellDlg spell(world.Context());
    spell.DoModal();
}

} // namespace

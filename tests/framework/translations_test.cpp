#include "framework/qt/translations.h"

#include <gtest/gtest.h>

namespace {

// Qt's own texts follow a Chinese locale, and are Simplified Chinese under any other.
TEST(QtTranslation, QtsOwnTextsAreChineseWhateverTheLocale) {
    struct Case {
        const char* locale;
        const char* language; // of the translation loaded
        const char* saveAs;   // the save dialog's caption
        const char* save;     // a standard button
    };
    const Case cases[] = {
        {"en_US", "zh_CN", "另存为", "保存"},   {"C", "zh_CN", "另存为", "保存"},
        {"de_DE", "zh_CN", "另存为", "保存"},   {"zh_CN", "zh_CN", "另存为", "保存"},
        {"zh_TW", "zh_TW", "另存新檔", "儲存"},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<QTranslator> qt = QtTranslationFor(QLocale(c.locale));
        ASSERT_NE(qt, nullptr) << "qt6-translations-l10n is not installed";
        EXPECT_EQ(qt->language().toStdString(), c.language) << c.locale;
        EXPECT_EQ(qt->translate("QFileDialog", "Save As").toStdString(), c.saveAs) << c.locale;
        EXPECT_EQ(qt->translate("QPlatformTheme", "Save").toStdString(), c.save) << c.locale;
        EXPECT_FALSE(qt->translate("QLineEdit", "&Undo").isEmpty()) << c.locale;
    }
}

} // namespace

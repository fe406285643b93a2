// Qt's own texts (the save dialog, the text boxes' menus, the buttons of standard boxes)
// in Chinese, as the rest of the program is.
#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

// Qt's translation for `locale` when it is a Chinese one Qt has, else Simplified Chinese;
// null when none is installed (Debian's qt6-translations-l10n).
std::unique_ptr<QTranslator> QtTranslationFor(const QLocale& locale);

// The system locale's, for the whole application.
void InstallQtTranslation();

#include "framework/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::unique_ptr<QTranslator> QtTranslationFor(const QLocale& locale) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    if (locale.language() == QLocale::Chinese &&
        translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
        return translator;
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), folder))
        return translator;
    return nullptr;
}

void InstallQtTranslation() {
    std::unique_ptr<QTranslator> translator = QtTranslationFor(QLocale::system());
    if (!translator)
        return; // Qt's own English texts, where nothing else is at hand
    translator->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator.release());
}

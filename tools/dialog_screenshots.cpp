// Saves a picture of every dialog: dialog_screenshots OUT_DIR (run in a data folder, so
// the skin applies; under Xvfb or offscreen).
#include "app/wordmill_app.h"

#include "drills/browse_dlg.h"
#include "drills/giveup_dlg.h"
#include "drills/lookup_dlg.h"
#include "drills/spell_dlg.h"
#include "framework/skin.h"
#include "mainwnd/about_dlg.h"
#include "mainwnd/review_choice_dlg.h"
#include "mainwnd/settings_dlg.h"
#include "mainwnd/stats_dlg.h"
#include "mainwnd/wordlist_dlg.h"
#include "mainwnd/wordmill_dlg.h"
#include "store/settings_schema.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

void GrabNextModal(const QString& file) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, file] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(150, dialog, [dialog, file] {
            if (!dialog->grab().save(file))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            dialog->done(QDialog::Rejected);
        });
    });
    poll->start(20);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_screenshots OUT_DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    CWordmillApp wordmill;
    wordmill.m_pszAppName = "Wordmill";
    wordmill.m_nDailyQuota = 40;
    wordmill.m_pConnection.CreateInstance();
    try {
        wordmill.m_pConnection->Open(kConnectionString, "", "", 0);
    } catch (const _com_error&) {
        std::fprintf(stderr, "no danci.mdb here: the drills will show their error messages\n");
    }
    SkinLoadFile("Skins\\corona.smf");
    const DrillContext context{wordmill.m_pConnection, wordmill.m_nDailyQuota, ini::Path()};
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<CDialog>()>>> dialogs = {
        {"main", [&] { return std::make_unique<CWordmillDlg>(context); }},
        {"about", [] { return std::make_unique<CAboutDlg>(); }},
        {"browse", [&] { return std::make_unique<CBrowseDlg>(context); }},
        {"spell", [&] { return std::make_unique<CSpellDlg>(context); }},
        {"settings", [&] { return std::make_unique<CSettingsDlg>(context.iniPath); }},
        {"giveup", [] { return std::make_unique<CGiveUpDlg>(); }},
        {"stats", [&] { return std::make_unique<CStatsDlg>(context); }},
        {"lookup", [&] { return std::make_unique<CLookupDlg>(context); }},
        {"wordlist", [&] { return std::make_unique<CWordListDlg>(context); }},
        {"review-choice",
         [] {
             DailyReview review;
             review.recognise.resize(38);
             review.spell.resize(12);
             review.backlog = 9;
             return std::make_unique<CReviewChoiceDlg>(review);
         }},
    };
    for (const auto& [name, make] : dialogs) {
        GrabNextModal(out.filePath(QStringLiteral("%1.png").arg(QLatin1String(name))));
        make()->DoModal();
    }
    return 0;
}

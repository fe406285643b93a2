// Saves a picture of every dialog, and of the drills and 查词 in the states that show a
// word's examples: dialog_screenshots OUT_DIR (run in a data folder, so the skin applies;
// under Xvfb or offscreen). With WORDMILL_SHOT_SCREEN set, the whole screen too, window
// manager's frame and all.
#include "app/wordmill_app.h"

#include "drills/browse_dlg.h"
#include "drills/giveup_dlg.h"
#include "drills/lookup_dlg.h"
#include "drills/spell_dlg.h"
#include "framework/skin.h"
#include "mainwnd/about_dlg.h"
#include "mainwnd/first_start_dlg.h"
#include "mainwnd/review_choice_dlg.h"
#include "mainwnd/settings_dlg.h"
#include "mainwnd/stats_dlg.h"
#include "mainwnd/wordlist_dlg.h"
#include "mainwnd/wordmill_dlg.h"
#include "store/settings_schema.h"

#include "res/resource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Prepare = std::function<void(QDialog*)>;

template <class Control> Control* Find(QDialog* dialog, int id) {
    return dialog->findChild<Control*>(QStringLiteral("ctrl_%1").arg(id));
}

void Press(QDialog* dialog, int id) {
    if (auto* button = Find<QAbstractButton>(dialog, id))
        button->click();
}

// Typed as an input method commits it, as the learner's typing reaches the dialog.
void Type(QDialog* dialog, int id, const QString& text) {
    if (auto* edit = Find<QLineEdit>(dialog, id)) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    }
}

void GrabNextModal(const QString& file, Prepare prepare) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, file, prepare] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        if (prepare)
            prepare(dialog);
        QTimer::singleShot(300, dialog, [dialog, file] {
            if (!dialog->grab().save(file))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            if (qEnvironmentVariableIsSet("WORDMILL_SHOT_SCREEN")) {
                QString screen = file;
                screen.replace(QStringLiteral(".png"), QStringLiteral("-screen.png"));
                dialog->screen()->grabWindow(0).save(screen);
            }
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
    struct Shot {
        const char* name;
        std::function<std::unique_ptr<CDialog>()> make;
        Prepare prepare = nullptr;
    };
    const auto browse = [&] { return std::make_unique<CBrowseDlg>(context); };
    const auto spell = [&] { return std::make_unique<CSpellDlg>(context); };
    const auto lookup = [&] { return std::make_unique<CLookupDlg>(context); };
    const std::vector<Shot> shots = {
        {"main", [&] { return std::make_unique<CWordmillDlg>(context); }},
        {"about", [] { return std::make_unique<CAboutDlg>(); }},
        {"browse", browse},
        {"browse-meaning", browse, [](QDialog* d) { Press(d, IDC_LEFT); }},
        {"spell", spell},
        {"spell-hint", spell, [](QDialog* d) { Press(d, IDC_TISHI); }},
        {"spell-judged", spell, [](QDialog* d) { Press(d, IDC_ANSWER); }},
        {"settings", [&] { return std::make_unique<CSettingsDlg>(context.iniPath); }},
        {"giveup", [] { return std::make_unique<CGiveUpDlg>(); }},
        {"stats", [&] { return std::make_unique<CStatsDlg>(context); }},
        {"lookup", lookup},
        {"lookup-word", lookup,
         [](QDialog* d) { Type(d, IDC_LOOKUP_QUERY, QStringLiteral("accord")); }},
        {"wordlist", [&] { return std::make_unique<CWordListDlg>(context); }},
        {"firststart",
         [&] { return std::make_unique<CFirstStartDlg>(context.iniPath, context.dailyQuota); }},
        {"review-choice",
         [] {
             DailyReview review;
             review.recognise.resize(38);
             review.spell.resize(12);
             review.backlog = 9;
             return std::make_unique<CReviewChoiceDlg>(review);
         }},
    };
    for (const Shot& shot : shots) {
        GrabNextModal(out.filePath(QStringLiteral("%1.png").arg(QLatin1String(shot.name))),
                      shot.prepare);
        shot.make()->DoModal();
    }
    return 0;
}

// Saves a picture of every dialog: dialog_screenshots OUT_DIR (run in a data folder, so
// the skin applies; under Xvfb or offscreen).
#include "wordmill_app.h"

#include "dialog_template.h"
#include "resource.h"
#include "skin.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>

#include <cstdio>

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
    SkinLoadFile("Skins\\corona.smf");
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    for (UINT id : {IDD_WORDMILL_DIALOG, IDD_ABOUTBOX, IDD_BROWSE, IDD_SPELL, IDD_SETTINGS, IDD_GIVEUP}) {
        GrabNextModal(out.filePath(QStringLiteral("dialog-%1.png").arg(id)));
        CDialog dialog(id);
        dialog.DoModal();
    }
    return 0;
}

// The built program itself, started in a folder of its own.
#include "support/temp_dir.h"
#include "support/word_db.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    bool painted;
    int exitCode;
};

// Starts Wordmill in `folder` until its main window has painted once.
ProgramRun StartProgram(const TempDir& folder) {
    QProcess program;
    program.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("WORDMILL_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(folder.file("config")));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(WORDMILL_PROGRAM), {});
    EXPECT_TRUE(program.waitForFinished(20000));
    const QByteArray out = program.readAllStandardOutput();
    return {out.contains("wordmill-first-paint-ns "), program.exitCode()};
}

TEST(Program, StartsWithTheDataOfItsCurrentDirectory) {
    TempDir folder;
    BuildWordDatabase(folder.file("danci.mdb"), {{"CET6", NumberedWords(3)}});
    folder.Write("read.ini", "[usermessage]\nqiangzhi=1\ntime=30\n");
    const ProgramRun run = StartProgram(folder);
    EXPECT_TRUE(run.painted);
    EXPECT_EQ(run.exitCode, 0);
    // Forced mode found its settings here: the autostart entry starts the program here.
    const std::string entry = folder.Read("config/autostart/MyAutoRun.desktop");
    EXPECT_NE(entry.find("Path=" + folder.path().string()), std::string::npos) << entry;
}

} // namespace

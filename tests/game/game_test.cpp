// Loads libgame.so the way an outside program would and calls its one export. Its own
// process: the first test runs with no GUI application at all.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Seen {
    std::string text, caption;
    int openBoxes;
};
std::vector<Seen> g_seen;

// Answers every message box: records it, then presses its button. Only a widget
// application can show one.
void WatchMessageBoxes() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    auto* poll = new QTimer(app);
    QObject::connect(poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            open += qobject_cast<QMessageBox*>(w) && w->isVisible();
        g_seen.push_back({box->text().toStdString(), box->windowTitle().toStdString(), open});
        QTimer::singleShot(0, box, [box] { box->buttons().front()->click(); });
    });
    poll->start(5);
}

using GameFunction = void (*)();

GameFunction LoadGame(void** handle) {
    *handle = dlopen(WORDMILL_GAME_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(*handle, nullptr) << dlerror();
    return *handle ? reinterpret_cast<GameFunction>(dlsym(*handle, "game")) : nullptr;
}

void ExpectTwoAnnouncements(const std::string& caption) {
    ASSERT_EQ(g_seen.size(), 2u);
    for (const Seen& seen : g_seen) {
        EXPECT_EQ(seen.text, "游戏正在开发...看我的博客更新");
        EXPECT_EQ(seen.caption, caption);
        EXPECT_EQ(seen.openBoxes, 1); // one at a time
    }
}

TEST(GameLibrary, WorksInAProcessWithoutAGuiApplication) {
    ASSERT_EQ(QApplication::instance(), nullptr);
    g_seen.clear();
    void* handle = nullptr;
    GameFunction game = LoadGame(&handle);
    ASSERT_NE(game, nullptr);
    game();
    EXPECT_EQ(QApplication::instance(), nullptr); // left as it was found
    game();
    ExpectTwoAnnouncements("game");
    dlclose(handle);
}

TEST(GameLibrary, WorksInsideARunningApplication) {
    int argc = 1;
    char name[] = "host";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    g_seen.clear();
    void* handle = nullptr;
    GameFunction game = LoadGame(&handle);
    ASSERT_NE(game, nullptr);
    game();
    game();
    ExpectTwoAnnouncements("host"); // the caller's caption: the library switches nothing
    dlclose(handle);
}

// Hosts without widgets get the announcement on standard error, never a crash; a host
// without any application keeps its C locale.
TEST(GameLibrary, HostsWithoutWidgetsAreToldOnStandardError) {
    int argc = 1;
    char name[] = "host";
    char* argv[] = {name, nullptr};
    void* handle = nullptr;
    GameFunction game = LoadGame(&handle);
    ASSERT_NE(game, nullptr);
    std::setlocale(LC_ALL, "C");
    setenv("LC_ALL", "C.UTF-8", 1); // what an application made inside would switch to
    game();
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    for (int kind = 0; kind < 2; ++kind) {
        std::unique_ptr<QCoreApplication> app;
        if (kind == 0)
            app = std::make_unique<QCoreApplication>(argc, argv);
        else
            app = std::make_unique<QGuiApplication>(argc, argv);
        testing::internal::CaptureStderr();
        game();
        EXPECT_NE(testing::internal::GetCapturedStderr().find("游戏正在开发"), std::string::npos)
            << kind;
    }
    dlclose(handle);
}

TEST(GameLibrary, ExportsOnlyGame) {
    FILE* nm = popen("nm -D --defined-only " WORDMILL_GAME_LIBRARY, "r");
    ASSERT_NE(nm, nullptr);
    std::vector<std::string> symbols;
    char line[512];
    while (std::fgets(line, sizeof line, nm)) {
        std::string text(line);
        symbols.push_back(
            text.substr(text.rfind(' ') + 1, text.find_last_not_of("\n") - text.rfind(' ')));
    }
    EXPECT_EQ(pclose(nm), 0);
    EXPECT_EQ(symbols, std::vector<std::string>{"game"});
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    qAddPreRoutine(WatchMessageBoxes); // every GUI application made from now on is watched
    return RUN_ALL_TESTS();
}

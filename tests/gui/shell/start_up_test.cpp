// From the start of the program to the main window: refusals before any
// window exists, the directories of both kinds of installation, and what
// the window shows about its station.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "gui/platform/single_instance.h"
#include "core/data/station.h"
#include "shell_fixtures.h"
#include "support/temp_dir.h"

namespace talmorek::gui::testing {
namespace {

QString labelText(TPS_menu& w, const char* name) {
    auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

QAction* action(TPS_menu& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

int mainWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<TPS_menu*>(w) != nullptr;
    return n;
}

TEST(StartUp, OrdinaryStationShowsItsLabelsDatesAndStartsTheTimer) {
    Installation inst;
    auto session = inst.start();
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    ASSERT_TRUE(showAndWait(w));
    auto* timer = w.findChild<QTimer*>(QStringLiteral("startTimer"));
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 300);
    timer->stop();  // the date/time dialog has tests of its own

    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Volby do Poslanecké sněmovny Parlamentu ČR - pořízení dat okrskovými komisemi"));
    EXPECT_EQ(labelText(w, "Z_StatusObec_Lbl"), QStringLiteral("Obec: 554782 - Testov"));
    EXPECT_EQ(labelText(w, "Z_StatusOkrsek_Lbl"), QStringLiteral("Okrsek: 3"));
    EXPECT_EQ(labelText(w, "Z_StatusKraj_lbl"), QStringLiteral("Volební kraj: 9 - Pardubický kraj"));
    EXPECT_EQ(w.electionDates(), QStringLiteral("08.10. - 09.10.2021"));
    EXPECT_FALSE(action(w, "BezHacku_MI")->isEnabled());
    EXPECT_FALSE(action(w, "BezHacku_MI")->isChecked());
    EXPECT_TRUE(w.workflow().sDiakritikou());
    EXPECT_FALSE(w.workflow().state().KontrolyOK);
    EXPECT_FALSE(w.workflow().state().ExportOK);
    EXPECT_TRUE(inst.prompts.calls.empty());
    // Fixed size, no maximise button.
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(StartUp, SpecialPrecinctOfAMultiStationInstallation) {
    Installation inst(/*multiStation=*/true);
    auto session = inst.start({QStringLiteral("ZO90")});
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    ASSERT_TRUE(showAndWait(w));
    w.findChild<QTimer*>(QStringLiteral("startTimer"))->stop();

    EXPECT_EQ(w.workflow().directories().station, inst.dir.path() + "data/ZO90/");
    EXPECT_EQ(w.workflow().directories().data, inst.dir.path() + "data/ZO90/");
    EXPECT_EQ(w.workflow().directories().program, inst.dir.path());
    EXPECT_EQ(labelText(w, "Z_StatusObec_Lbl"), QStringLiteral("Obec: 999997"));
    EXPECT_EQ(labelText(w, "Z_StatusOkrsek_Lbl"), QStringLiteral("Okrsek: 90 - Washington"));
    EXPECT_EQ(w.electionDates(), QStringLiteral("07.10. - 08.10.2021"));
    // The precinct label takes the room the municipality label gives up.
    EXPECT_GT(w.findChild<QLabel*>(QStringLiteral("Z_StatusOkrsek_Lbl"))->width(),
              w.findChild<QLabel*>(QStringLiteral("Z_StatusObec_Lbl"))->width());

    QAction* bezHacku = action(w, "BezHacku_MI");
    ASSERT_TRUE(bezHacku->isEnabled());
    EXPECT_FALSE(bezHacku->isChecked());
    bezHacku->trigger();
    EXPECT_TRUE(bezHacku->isChecked());
    EXPECT_FALSE(w.workflow().sDiakritikou());
    bezHacku->trigger();
    EXPECT_FALSE(bezHacku->isChecked());
    EXPECT_TRUE(w.workflow().sDiakritikou());
}

TEST(StartUp, LongMunicipalityNameIsCutTo55Characters) {
    Installation inst;
    data::TStanice s = data::NactiStanici(inst.dir.path());
    s.NazevObce = "Lhota pod Horami nad Řekou u Velkého Města";  // 42 characters
    s.NazevKraje = "Středočeský   ";
    inst.dir.write("STANICE.RCD", data::encodeStanice(s));
    auto session = inst.start();
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    ASSERT_TRUE(showAndWait(w));
    w.findChild<QTimer*>(QStringLiteral("startTimer"))->stop();
    const QString obec = labelText(w, "Z_StatusObec_Lbl");
    EXPECT_EQ(obec.size(), 55);
    EXPECT_EQ(obec, QStringLiteral("Obec: 554782 - Lhota pod Horami nad Řekou u Velkého Měs"));
    // Every label of the status line is shown whole, none clipped.
    for (const char* name : {"Z_StatusObec_Lbl", "Z_StatusOkrsek_Lbl", "Z_StatusKraj_lbl"}) {
        auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << name;
    }
    EXPECT_EQ(labelText(w, "Z_StatusKraj_lbl"), QStringLiteral("Volební kraj: 9 - Středočeský"));
}

TEST(StartUp, SecondInstanceIsRefusedWithoutCreatingAWindow) {
    Installation inst;
    SingleInstance running(inst.lockPath());
    ASSERT_TRUE(running.acquire());

    ModalAnswerer answerer;
    answerer.thenClick(QStringLiteral("OK"));
    StartRefusal refusal = StartRefusal::None;
    StartOptions options{inst.executable(), {}, inst.lockPath()};
    auto session = startProgram(options, {&inst.prompts, &inst.printJobs}, &refusal);
    EXPECT_FALSE(session);
    EXPECT_EQ(refusal, StartRefusal::AlreadyRunning);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0], "MessageBox|Talmorek|Aplikace již spuštěna !!!");
    EXPECT_EQ(mainWindows(), 0);
    EXPECT_TRUE(running.held());  // the running instance keeps its lock
}

TEST(StartUp, LockOfAnInstanceThatDiedDoesNotBlockTheNextStart) {
    Installation inst;
    // What a crashed instance leaves: a lock file naming a process that no
    // longer exists on this machine.
    inst.dir.write("instance.lock", "2147483600\ntalmorek\n" + QSysInfo::machineHostName().toStdString() + "\n");
    auto session = inst.start();
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->instance->held());

    SingleInstance second(inst.lockPath());
    EXPECT_FALSE(second.acquire());
    session.reset();
    EXPECT_TRUE(second.acquire());  // the lock goes with the program
}

// Sets environment variables for as long as it lives, and puts back what
// was there, whatever the test does meanwhile.
class EnvironmentGuard {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        value ? qputenv(name, QByteArray::fromStdString(*value)) : qunsetenv(name);
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : saved_) value ? qputenv(name.c_str(), *value) : qunsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<QByteArray>> saved_;
};

// The lock lies where no other user can write: a lock another user plants
// in a shared directory cannot keep the program from starting.
TEST(StartUp, TheLockLiesInADirectoryOnlyTheUserCanWrite) {
    talmorek::testing::TempDir home, shared;
    ::chmod(shared.path().c_str(), 01777);  // as the system's temporary directory is
    EnvironmentGuard env;
    env.set("HOME", home.path());
    env.set("XDG_CACHE_HOME", std::nullopt);
    for (const std::optional<std::string>& runtime : {std::optional<std::string>(), std::optional(shared.path())}) {
        SCOPED_TRACE(runtime ? "a shared runtime directory" : "no runtime directory");
        env.set("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(SingleInstance::defaultLockPath().toStdString(), home.path() + ".cache/talmorek/talmorek.lock");
        struct stat st {};
        ASSERT_EQ(::lstat((home.path() + ".cache/talmorek").c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
    }
    // A private runtime directory is the first choice.
    talmorek::testing::TempDir runtime;
    ::chmod(runtime.path().c_str(), 0700);
    env.set("XDG_RUNTIME_DIR", runtime.path());
    EXPECT_EQ(SingleInstance::defaultLockPath().toStdString(), runtime.path() + "talmorek.lock");
}

// A lock directory of the user's that someone else took (only root can
// make one so): the lock goes to a directory of the user's own instead.
TEST(StartUp, ALockDirectoryTakenByAnotherUserIsNotUsed) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can hand a directory to another user";
    talmorek::testing::TempDir home;
    std::filesystem::create_directories(home.path() + ".cache/talmorek");
    ASSERT_EQ(::chown((home.path() + ".cache/talmorek").c_str(), 65534, 65534), 0);
    EnvironmentGuard env;
    env.set("HOME", home.path());
    env.set("XDG_CACHE_HOME", std::nullopt);
    env.set("XDG_RUNTIME_DIR", std::nullopt);
    const std::string lock = SingleInstance::defaultLockPath().toStdString();
    EXPECT_EQ(lock.rfind(QDir::tempPath().toStdString() + "/talmorek-0/", 0), 0u) << lock;
}

// A lock that cannot be made is no second instance: the start is refused
// saying so, not with "Aplikace již spuštěna".
TEST(StartUp, ALockThatCannotBeMadeIsToldAsSuch) {
    Installation inst;
    ModalAnswerer answerer;
    answerer.thenClick(QStringLiteral("OK"));
    StartRefusal refusal = StartRefusal::None;
    const QString lock = QString::fromStdString(inst.dir.file("missing/instance.lock"));
    StartOptions options{inst.executable(), {}, lock};
    auto session = startProgram(options, {&inst.prompts, &inst.printJobs}, &refusal);
    EXPECT_FALSE(session);
    EXPECT_EQ(refusal, StartRefusal::LockUnavailable);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0], "MessageBox|Spuštění aplikace|Program nelze spustit: soubor zámku " +
                                      lock.toStdString() +
                                      " nelze vytvořit (adresář chybí nebo do něj nelze zapisovat).");
}

struct NoStationCase {
    const char* name;
    QStringList arguments;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NoStationCase& c, std::ostream* os) { *os << c.name; }


class StartWithoutStation : public ::testing::TestWithParam<NoStationCase> {};

TEST_P(StartWithoutStation, IsRefusedWithTheMessage) {
    Installation inst(/*multiStation=*/true);  // no STANICE.RCD beside the program
    ModalAnswerer answerer;
    answerer.thenClick(QStringLiteral("OK"));
    StartRefusal refusal = StartRefusal::None;
    StartOptions options{inst.executable(), GetParam().arguments, inst.lockPath()};
    auto session = startProgram(options, {&inst.prompts, &inst.printJobs}, &refusal);
    EXPECT_FALSE(session);
    EXPECT_EQ(refusal, StartRefusal::NoStation);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0],
              "MessageBox|Spuštění aplikace|Program je nutno pouštět ikonou na ploše nebo z nabídky Start!");
    EXPECT_EQ(mainWindows(), 0);
    // The refused start leaves no lock behind.
    SingleInstance next(inst.lockPath());
    EXPECT_TRUE(next.acquire());
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartWithoutStation,
                         ::testing::Values(NoStationCase{"noArgument", {}},
                                           NoStationCase{"twoArguments", {"OK1", "OK7"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartUp, MissingStationRecordIsToldAndTheWindowStaysWithoutStation) {
    Installation inst(/*multiStation=*/true);
    auto session = inst.start({QStringLiteral("NEEXISTUJE")});
    ASSERT_TRUE(session);
    TPS_menu& w = *session->mainWindow;
    ASSERT_TRUE(showAndWait(w));
    ASSERT_EQ(inst.prompts.calls.size(), 1u);
    EXPECT_EQ(inst.prompts.calls[0].rfind("failure|Spuštění aplikace|Soubor ", 0), 0u) << inst.prompts.calls[0];
    EXPECT_NE(inst.prompts.calls[0].find("STANICE.RCD nebyl nalezen."), std::string::npos) << inst.prompts.calls[0];
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.findChild<QTimer*>(QStringLiteral("startTimer"))->isActive());
    EXPECT_EQ(labelText(w, "Z_StatusObec_Lbl"), QString());

    // A command first tries to read the station again and ends with the
    // same message, without touching anything.
    action(w, "Kontroly_MI")->trigger();
    ASSERT_EQ(inst.prompts.calls.size(), 2u);
    EXPECT_NE(inst.prompts.calls[1].find("STANICE.RCD nebyl nalezen."), std::string::npos) << inst.prompts.calls[1];
    EXPECT_TRUE(inst.printJobs.calls.empty());
}

}  // namespace
}  // namespace talmorek::gui::testing

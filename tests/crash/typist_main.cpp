// A commission at the keyboard of the real program, for the crash test
// (typist_kill_test.cpp), which kills it at a random moment.
//
//   talmorek_crash_typist DIR --seed N   starts the program on the station
//       installation DIR, presses F2 and types a record across the four pages
//       of the entry window with keys alone, values drawn from N. It first
//       prints the whole script ("plan <control> <value>", then "start"),
//       and after each control is left (the key has been processed, the
//       journal written) "left <control> <value>"; "done" at the end, and it
//       exits without saving, as a killed program would.
//   talmorek_crash_typist DIR --verify   starts the program again, presses F2,
//       answers the question about the interrupted entry with A ("recovery
//       asked <text>" or "recovery none"), prints every control the script
//       can type as the window shows it ("shown <control> <value>"), then
//       "end", and exits. Annex 1 is browsed party by party for it, which
//       saves as every change of party does; everything else is read first.
//
// A control is the object name of its widget; the fields of Annex 1 carry
// the party ("R_EdPocHl/7", "CandEdit3/7"), the rows of the names grid their
// number ("R_JmenaKomise_SG/2"). Radio pairs are named by their yes button
// and read "B" or "N", party boxes "1" or "0". Any window that comes up
// unasked is answered by keys and reported ("dialog <name> <text>"); a step
// that does not lead where a commission expects ends the run ("fail ...").
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gui/controls/s_edit.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/entry_window.h"
#include "gui/entry/form_rows.h"
#include "gui/entry/names_grid.h"
#include "gui/entry/page_annex1.h"
#include "gui/entry/page_section1.h"
#include "gui/entry/page_section2.h"
#include "gui/entry/page_section3.h"
#include "gui/platform/focus_mark.h"
#include "gui/shell/date_time_dialog.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program_start.h"
#include "gui/shell/qt_translation.h"

namespace {

using talmorek::gui::TPS_menu;
using talmorek::gui::TR_Vstupni_Form;
using talmorek::gui::TSEdit;

constexpr int kSection2 = 1, kAnnex1 = 2, kSection3 = 3;
// No step of a commission takes this long; a run never ends on its own.
constexpr int kStepLimitMs = 5000;
constexpr int kRunLimitMs = 60000;

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// Ends the process at once: nothing is saved, nothing is cleaned up, as
// when the program is killed.
[[noreturn]] void quit(int code) {
    std::fflush(stdout);
    std::_Exit(code);
}

[[noreturn]] void fail(const std::string& why) {
    say("fail " + why);
    quit(2);
}

// One line of output per line of text.
std::string oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.toStdString();
}

std::string focusedName() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName().toStdString() : std::string("(none)");
}

// What the window queued while it took a key (a field's finding, the move
// an Enter makes) runs before the next key, as it does between the keys of
// a keyboard; a window that comes up meanwhile is answered inside.
void settle() { QCoreApplication::processEvents(); }

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) fail("no control has the keys");
    QTest::keyClick(target, k, modifiers);
    settle();
}

// One key per character, with the text a Czech keyboard delivers.
void type(const QString& text) {
    for (char32_t c : text.toUcs4()) {
        QWidget* target = QApplication::focusWidget();
        if (!target) fail("no control has the keys");
        const Qt::Key k = c < 0x80 ? QTest::asciiToKey(static_cast<char>(c)) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, target, k, QString::fromUcs4(&c, 1), Qt::NoModifier);
        settle();
    }
}

template <typename Done>
bool waitFor(Done&& done, int limitMs = kStepLimitMs) {
    return QTest::qWaitFor(std::forward<Done>(done), limitMs);
}

// ---------------------------------------------------------------------------
// What the commission types, drawn from the seed. The values agree with each
// other and with the saved record the installation holds (the tests' clean
// record: 812 persons, parties 1, 2 and 7 with votes), so that no field
// raises a finding on the way.

struct PartyTyping {
    int party = 0;
    int votes = 0;
    std::vector<std::pair<int, int>> preferential;  // (list order, votes), ascending order
};

struct Values {
    std::string zahajeno1, ukonceno1, zahajeno2, ukonceno2;
    std::string odrocenoD, odrocenoH, odrocenoM, duvodOdroc;
    int zapsOsoby = 0, vydObalky = 0, odevzdObalky = 0, platneHlasy = 0;
    bool tickParty3 = false;
    std::vector<PartyTyping> parties;  // in the order of the party list
    int clenuC = 0, clenuP = 0;
    std::string zapisovat;
    std::vector<std::string> names;  // rows 1..clenuP-1
    std::string poverPred, ostatni;
};

const std::vector<std::string> kPeople = {
    "Jana Nováková",  "Petr Dvořák",    "Eva Černá",      "Tomáš Procházka",
    "Lucie Kučerová", "Jiří Veselý",    "Marie Horáková", "Pavel Němec",
    "Zdeňka Marková", "Ondřej Pokorný", "Věra Růžičková", "Miloš Šťastný",
    "Karel Žák",      "Alena Tichá",    "Radek Čermák",   "Hana Šimková",
};
const std::vector<std::string> kReasons = {
    "Výpadek elektřiny v obci",
    "Porucha osvětlení volební místnosti",
    "Žádost hasičů o uvolnění budovy",
    "Zatopená příjezdová silnice",
};
const std::vector<std::string> kOthers = {
    "Ing. Věra Malá, pozorovatelka",
    "Bc. Jan Říha, zapisovatel města",
    "nikdo",
};

Values valuesOf(unsigned seed) {
    std::mt19937 random(seed);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto pick = [&](const std::vector<std::string>& list) { return list.at(between(0, int(list.size()) - 1)); };
    auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    Values v;
    v.zahajeno1 = two(between(6, 8)) + ":" + two(between(0, 5) * 10);
    v.ukonceno1 = two(between(20, 22)) + ":00";
    v.zahajeno2 = two(between(7, 8)) + ":" + two(between(0, 5) * 10);
    v.ukonceno2 = "14:" + two(between(0, 3) * 10);
    v.odrocenoD = std::to_string(between(1, 9)) + ".10.2021";
    v.odrocenoH = std::to_string(between(7, 15));
    v.odrocenoM = std::to_string(between(10, 59));
    v.duvodOdroc = pick(kReasons);

    // Persons near the register's 812, a turnout below 88 %, few envelopes
    // missing, few invalid: no warning either. Each total is left while the
    // next still holds the saved record's (530 issued, 528 handed in, 521
    // valid): envelopes handed in up to 578 keep the saved 521 valid votes
    // above 90 % of them, so no field raises a finding on the way, nor does
    // the record restored from any point of it.
    v.zapsOsoby = 812 + between(-9, 14);
    v.vydObalky = between(540, 578);
    v.odevzdObalky = v.vydObalky - between(0, 10);
    v.platneHlasy = v.odevzdObalky - between(0, 2);
    v.tickParty3 = between(0, 1) == 1;

    // The votes of the ticked parties add up to the valid votes; each
    // party's preferential votes stay below its votes and their four times.
    std::vector<int> ticked = {1, 2};
    if (v.tickParty3) ticked.push_back(3);
    ticked.push_back(7);
    int left = v.platneHlasy;
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        PartyTyping p;
        p.party = ticked[i];
        p.votes = i + 1 < ticked.size() ? between(60, v.platneHlasy / int(ticked.size())) : left;
        left -= p.votes;
        const int candidates = p.party == 3 ? 2 : 12;
        std::vector<int> orders;
        for (int j = 1; j <= candidates; ++j) orders.push_back(j);
        std::shuffle(orders.begin(), orders.end(), random);
        orders.resize(p.party == 3 ? 2 : between(2, 3));
        std::sort(orders.begin(), orders.end());
        for (int j : orders) p.preferential.emplace_back(j, between(1, 30));
        v.parties.push_back(p);
    }

    // At least as many present as the saved record has, so every saved
    // name keeps its row.
    v.clenuC = between(7, 11);
    v.clenuP = between(5, 7);
    std::vector<std::string> people = kPeople;
    std::shuffle(people.begin(), people.end(), random);
    v.zapisovat = people[0];
    v.names.assign(people.begin() + 1, people.begin() + v.clenuP);
    v.poverPred = people[v.clenuP];
    v.ostatni = pick(kOthers);
    return v;
}

// ---------------------------------------------------------------------------
// The script, run twice: once to print the plan, once to type it.

class Typist {
public:
    Typist(TR_Vstupni_Form* window, bool planOnly) : window_(window), planOnly_(planOnly) {}

    // A field: typed where the focus is expected, left with `leave`.
    void field(const char* name, const std::string& value, Qt::Key leave = Qt::Key_Tab) {
        fieldAs(name, name, value, leave);
    }
    void fieldAs(const char* name, const std::string& control, const std::string& value,
                 Qt::Key leave = Qt::Key_Tab) {
        if (planned(control, value)) return;
        expectFocus(name);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        // Entering a field selects its text (deferred), so typing replaces it.
        if (edit && !waitFor([&] { return edit->text().isEmpty() || edit->selectedText() == edit->text(); }))
            fail("the text of " + std::string(name) + " was never selected");
        type(QString::fromStdString(value));
        key(leave);
        left(control, value);
    }
    // Passes a control by with Tab, changing nothing.
    void pass(const std::string& name) {
        if (planOnly_) return;
        expectFocus(name);
        key(Qt::Key_Tab);
    }
    // The yes button of a radio pair, chosen with the arrow from "no".
    void yes(const char* noName, const char* yesName) {
        if (planned(yesName, "B")) return;
        expectFocus(noName);
        key(Qt::Key_Right);
        auto* button = window_->findChild<QRadioButton*>(QString::fromLatin1(yesName));
        if (!button || !button->isChecked()) fail(std::string("the arrow did not choose ") + yesName);
        expectFocus(yesName);
        key(Qt::Key_Tab);
        left(yesName, "B");
    }
    // A party box ticked with Space and left with Tab.
    void tick(const std::string& name) {
        if (planned(name, "1")) return;
        expectFocus(name);
        key(Qt::Key_Space);
        key(Qt::Key_Tab);
        left(name, "1");
    }
    // A row of the names grid: typed and left with Enter, which opens the next row.
    void name(int row, const std::string& value) {
        const std::string control = "R_JmenaKomise_SG/" + std::to_string(row);
        if (planned(control, value)) return;
        if (!waitFor([] {
                const std::string f = focusedName();
                return f == "R_JmenaKomise_SG" || f == "R_JmenaKomise_Editor";
            }))
            fail("wanted the names grid, at " + focusedName());
        type(QString::fromStdString(value));
        key(Qt::Key_Return);
        left(control, value);
    }
    // Page Down: everything typed so far is saved.
    void pageDown(int page, const char* focus) {
        if (planOnly_) return;
        key(Qt::Key_PageDown);
        if (!waitFor([&] { return window_->notebook()->currentIndex() == page; }))
            fail("Page Down did not show page " + std::to_string(page));
        expectFocus(focus);
        say("page " + std::to_string(page));
    }
    // The party of Annex 1 is left from its last candidate with Enter: the
    // next party is shown (and everything saved), or page III after the last.
    void leaveParty(int next) {
        if (planOnly_) return;
        key(Qt::Key_Return, Qt::ControlModifier);  // "Jdi na kontrolní číslo"
        expectFocus("R_EdT4PPoslKand");
        key(Qt::Key_Return);
        if (next == 0) {
            if (!waitFor([&] { return window_->notebook()->currentIndex() == kSection3; }))
                fail("the last party did not lead to page III");
            expectFocus("R_SEdClenuOVKC");
            say("page " + std::to_string(kSection3));
        } else {
            auto* shown = window_->findChild<QLineEdit*>(QStringLiteral("R_EdCisStr"));
            if (!waitFor([&] { return shown->text() == QString::number(next); }))
                fail("Enter did not show party " + std::to_string(next));
            expectFocus("R_CBT4P_1");
            say("party " + std::to_string(next));
        }
    }
    void expectParty(int party) {
        if (planOnly_) return;
        auto* shown = window_->findChild<QLineEdit*>(QStringLiteral("R_EdCisStr"));
        if (!waitFor([&] { return shown->text() == QString::number(party); }))
            fail("Annex 1 shows party " + shown->text().toStdString() + ", not " + std::to_string(party));
    }

    const std::vector<std::pair<std::string, std::string>>& plan() const { return plan_; }

private:
    // In the planning run, notes the control and tells the caller to stop.
    bool planned(const std::string& control, const std::string& value) {
        if (!planOnly_) return false;
        plan_.emplace_back(control, value);
        return true;
    }
    void expectFocus(const std::string& name) {
        if (!waitFor([&] { return focusedName() == name; })) fail("wanted " + name + ", at " + focusedName());
    }
    void left(const std::string& control, const std::string& value) { say("left " + control + " " + value); }

    TR_Vstupni_Form* window_;
    bool planOnly_;
    std::vector<std::pair<std::string, std::string>> plan_;
};

void commission(Typist& t, const Values& v) {
    // Page I: the four times, the postponed start with its date, hour,
    // minute and reason.
    t.field("R_SEdZahajeno1", v.zahajeno1);
    t.field("R_SEdUkonceno1", v.ukonceno1);
    t.field("R_SEdZahajeno2", v.zahajeno2);
    t.field("R_SEdUkonceno2", v.ukonceno2);
    t.yes("R_OdrocNRB", "R_OdrocBRB");
    t.field("R_SEdOdrocenoD", v.odrocenoD);
    t.field("R_SEdOdrocenoH", v.odrocenoH);
    t.field("R_SEdOdrocenoM", v.odrocenoM);
    t.field("R_SEdDuvodOdroc", v.duvodOdroc);
    t.pageDown(kSection2, "R_EdZapsOsoby");

    // Page II: the totals, and maybe party 3 ticked too.
    t.field("R_EdZapsOsoby", std::to_string(v.zapsOsoby));
    t.field("R_EdVydObalky", std::to_string(v.vydObalky));
    t.field("R_EdOdevzdObalky", std::to_string(v.odevzdObalky));
    t.field("R_EdPlatneHlasy", std::to_string(v.platneHlasy));
    if (v.tickParty3) {
        t.pass("PartyBox1");
        t.pass("PartyBox2");
        t.tick("PartyBox3");
    }
    t.pageDown(kAnnex1, "R_CBT4P_1");

    // Annex 1: each party's votes and a few preferential votes; Enter on
    // the last candidate moves on to the next party.
    for (std::size_t i = 0; i < v.parties.size(); ++i) {
        const PartyTyping& p = v.parties[i];
        const std::string suffix = "/" + std::to_string(p.party);
        t.expectParty(p.party);
        t.pass("R_CBT4P_1");
        t.fieldAs("R_EdPocHl", "R_EdPocHl" + suffix, std::to_string(p.votes));
        int order = 1;
        for (const auto& [j, votes] : p.preferential) {
            for (; order < j; ++order) t.pass("CandEdit" + std::to_string(order));
            const std::string name = "CandEdit" + std::to_string(j);
            t.fieldAs(name.c_str(), name + suffix, std::to_string(votes));
            order = j + 1;
        }
        t.leaveParty(i + 1 < v.parties.size() ? v.parties[i + 1].party : 0);
    }

    // Page III: the commission.
    t.field("R_SEdClenuOVKC", std::to_string(v.clenuC));
    t.field("R_SEdClenuOVKP", std::to_string(v.clenuP));
    t.field("R_SEdZapisovat", v.zapisovat);
    for (std::size_t row = 0; row < v.names.size(); ++row) t.name(int(row) + 1, v.names[row]);
    t.field("R_SEdPoverPred", v.poverPred);
    t.field("R_SEdOstatni", v.ostatni);
}

// ---------------------------------------------------------------------------
// What the window shows.

void show(const std::string& control, const QString& value) { say("shown " + control + " " + oneLine(value)); }

void showAnnexParty(TR_Vstupni_Form& window) {
    talmorek::gui::PageAnnex1& annex = *window.annex1();
    const std::string suffix = "/" + window.findChild<QLineEdit*>(QStringLiteral("R_EdCisStr"))->text().toStdString();
    show("R_EdPocHl" + suffix, annex.votes()->text());
    for (int j = 1; j <= talmorek::gui::PageAnnex1::kRows; ++j) {
        TSEdit* edit = annex.candidate(j);
        if (edit->isEnabled()) show("CandEdit" + std::to_string(j) + suffix, edit->text());
    }
}

void showEverything(TR_Vstupni_Form& window) {
    for (TSEdit* edit : window.section1()->edits()) show(edit->objectName().toStdString(), edit->text());
    for (talmorek::gui::RadioPair* pair : window.section1()->pairs())
        show(pair->yes()->objectName().toStdString(), pair->value());
    for (TSEdit* edit : window.section2()->edits()) show(edit->objectName().toStdString(), edit->text());
    for (QCheckBox* box : window.section2()->partyBoxes())
        show(box->objectName().toStdString(), box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    for (TSEdit* edit : window.section3()->edits()) show(edit->objectName().toStdString(), edit->text());
    talmorek::gui::TZColorStringGrid* grid = window.section3()->grid();
    for (int row = 0; row < grid->nameRowCount(); ++row)
        show("R_JmenaKomise_SG/" + std::to_string(row + 1),
             grid->cellText(talmorek::gui::TZColorStringGrid::kNameColumn, row));

    // Annex 1 shows one party at a time: the commission browses them with
    // the arrows of the party box, on its page.
    for (int i = 0; i < 4 && window.notebook()->currentIndex() != kAnnex1; ++i) {
        const int before = window.notebook()->currentIndex();
        key(Qt::Key_PageDown);
        if (!waitFor([&] { return window.notebook()->currentIndex() != before; })) fail("Page Down did nothing");
    }
    if (window.notebook()->currentIndex() != kAnnex1) fail("Annex 1 never shown");
    QComboBox* combo = window.annex1()->partyCombo();
    auto* shown = window.findChild<QLineEdit*>(QStringLiteral("R_EdCisStr"));
    for (int item = 0; item < combo->count(); ++item) {
        const QString party = QString::number(combo->itemData(item).toInt());
        for (int presses = 0; presses < 8 && combo->currentIndex() != item; ++presses)
            QTest::keyClick(combo, combo->currentIndex() < item ? Qt::Key_Down : Qt::Key_Up);
        if (!waitFor([&] { return combo->currentIndex() == item && shown->text() == party; }))
            fail("the party box never showed party " + party.toStdString());
        showAnnexParty(window);
    }
}

// ---------------------------------------------------------------------------
// Windows that come up over the one the commission types in, answered by
// keys: the start-up reminder of the date and time (OK), the question about
// an interrupted entry (A), a field's message (its second button's letter,
// so the typing goes on), anything else (Enter, its default button).

class Answerer : public QObject {
public:
    explicit Answerer(const TPS_menu& main) : main_(main) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    bool dateTimeAnswered = false;
    std::string recovery;  // the question about the interrupted entry, once asked

private:
    void poll() {
        if (answered_ && !answered_->isVisible()) answered_ = nullptr;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == main_.entryWindow()) return;
        if (modal == answered_) {
            if (++polls_ > 500) fail("a window stayed open after its answer: " + modal->objectName().toStdString());
            return;
        }
        answered_ = modal;
        polls_ = 0;
        QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
        const std::string name = modal->objectName().toStdString();
        if (modal == static_cast<QWidget*>(main_.dateTimeDialog())) {
            dateTimeAnswered = true;
            QTest::keyClick(target, Qt::Key_Return);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const std::string text = oneLine(box->text());
            if (text.find("neočekávaně přerušeno") != std::string::npos && recovery.empty()) {
                recovery = text;
                QTest::keyClick(target, Qt::Key_A);
                return;
            }
            say("dialog " + name + " " + text);
            QTest::keyClick(target, Qt::Key_Return);
            return;
        }
        if (name == "HlaskaF") {
            auto* heading = modal->findChild<QLabel*>(QStringLiteral("ChybaL"));
            auto* text = modal->findChild<QLabel*>(QStringLiteral("HlaskaL"));
            say("dialog " + name + " " + oneLine(heading->text()) + " | " + oneLine(text->text()));
            auto* goOn = modal->findChild<QPushButton*>(QStringLiteral("IgnorovatBtn"));
            const QKeySequence mnemonic = QKeySequence::mnemonic(goOn->text());
            QTest::keyClick(target, mnemonic.isEmpty() ? Qt::Key_I : mnemonic[0].key());
            return;
        }
        say("dialog " + name + " " + oneLine(modal->windowTitle()));
        QTest::keyClick(target, Qt::Key_Escape);
    }

    const TPS_menu& main_;
    QTimer timer_;
    QPointer<QWidget> answered_;
    int polls_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string dir;
    bool verify = false;
    unsigned seed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--verify") {
            verify = true;
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<unsigned>(std::stoul(argv[++i]));
        } else {
            dir = arg;
        }
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: talmorek_crash_typist DIR (--seed N | --verify)\n");
        return 64;
    }
    if (dir.back() != '/') dir += '/';

    // As the program starts, in the installation it is given.
    QApplication application(argc, argv);
    talmorek::gui::installCzechQtTranslation(application);
    talmorek::gui::markKeyboardFocus(application);
    QTimer::singleShot(kRunLimitMs, [] { fail("the run took too long"); });
    talmorek::gui::StartOptions options;
    options.executablePath = QString::fromStdString(dir + "talmorek");
    options.lockPath = QString::fromStdString(dir + "instance.lock");
    auto session = talmorek::gui::startProgram(options);
    if (!session) fail("the program did not start");
    TPS_menu& main = *session->mainWindow;
    Answerer answerer(main);
    main.show();
    if (!waitFor([&] { return main.showStepDone(); })) fail("the main window never finished showing");
    // The reminder of the date and time comes first, as on every start.
    if (!waitFor([&] { return answerer.dateTimeAnswered && !main.dateTimeDialog()->isVisible(); }))
        fail("the reminder of the date and time never came and went");
    main.activateWindow();
    waitFor([&] { return main.isActiveWindow(); }, 2000);

    TR_Vstupni_Form* window = main.entryWindow();
    QTimer driver;
    driver.setInterval(20);
    int inactive = 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (!window->isVisible() || QApplication::activeModalWidget() != window) return;
        // The offscreen platform may leave no window active once the
        // question before it has gone; a window manager would activate it.
        if (!window->isActiveWindow()) {
            window->activateWindow();
            if (++inactive < 250) return;
            fail("the entry window never became active");
        }
        driver.stop();
        if (verify) {
            say(answerer.recovery.empty() ? "recovery none" : "recovery asked " + answerer.recovery);
            showEverything(*window);
            say("end");
            quit(0);
        }
        const Values values = valuesOf(seed);
        Typist planner(window, true);
        commission(planner, values);
        for (const auto& [control, value] : planner.plan()) say("plan " + control + " " + value);
        say("start");
        Typist typist(window, false);
        commission(typist, values);
        say("done");
        quit(0);
    });
    driver.start();
    // F2 "Pořízení a oprava dat"; the window runs modally inside.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &main;
    QTest::keyClick(target, Qt::Key_F2);
    fail("the entry window closed, or never opened");
}

// Election night with the keyboard alone: from F2 in the main window
// through the four pages of the entry window to the checks, which find
// nothing, and the question about export and printing. Only keys are
// pressed; every value reaches the record the way a commission types it.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/entry_window.h"
#include "gui/entry/names_grid.h"
#include "gui/entry/page_annex1.h"
#include "gui/controls/s_edit.h"
#include "gui/export/export_target_dialog.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program_start.h"
#include "core/print/fixed_measure.h"
#include "core/print/preview_document.h"
#include "core/print/protocol_layout.h"
#include "core/print/recorded_page.h"
#include "core/print/recording_document.h"
#include "core/data/working_files.h"
#include "core/media/media_machine.h"
#include "core/data/station.h"
#include "support/installation.h"
#include "support/recording_jobs.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace talmorek::gui::testing {
namespace {

constexpr int kSection2 = 1, kAnnex1 = 2, kSection3 = 3;
const std::string kExportQuestion = "question|Vstup dat za okrsek|Chcete pokračovat exportem dat a tiskem zápisu?";

// The protocol of checks drawn by its real layout, kept as text: what the
// commission reads in the preview after the save.
class ProtocolAsText : public talmorek::testing::RecordingPrintJobs {
public:
    void protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4, const data::TStanice& station,
                          bool sDiakritikou, const data::LocalDateTime& now) override {
        RecordingPrintJobs::protocolOfChecks(chyby, t4, station, sDiakritikou, now);
        print::RecordingDocument document;
        print::PreviewDocument preview(document);
        print::FixedMeasure measure;
        print::PrintContext ctx(preview, measure, station);
        print::TiskProtokolu(ctx, chyby, t4, now, sDiakritikou);
        protocol = print::toText(document.recorded());
    }
    std::string protocol;
};

// What the commission saw on the way, read off the window between keys.
struct Seen {
    std::vector<std::string> steps;  // where a key was expected to lead, and where it did not
    std::string kc1, kc2;
    std::string partyShown, annexKc2, annexKc3, annexKc4, last;
    std::vector<std::string> products;  // of candidates 1, 3 and 12
    int pageAfterLastCandidate = -1;
    bool windowClosed = false;
};

class CleanRun : public ::testing::Test {
protected:
    void SetUp() override {
        talmorek::testing::writeProgramInstallation(dir);
        StartOptions options;
        options.executablePath = QString::fromStdString(dir.path() + "talmorek");
        options.lockPath = QString::fromStdString(dir.path() + "instance.lock");
        ShellServices services;
        services.prompts = &prompts;
        services.printJobs = &printJobs;
        services.sources = talmorek::testing::fixedClock();
        media.sources = machine.sources();  // no carrier plugged in: the hard disk only
        services.media = &media;
        session = startProgram(options, services);
        ASSERT_TRUE(session);
        TPS_menu& main = *session->mainWindow;
        main.show();
        ASSERT_TRUE(waitFor([&] { return main.showStepDone(); }));
        // The start-up reminder of the date and time is another scenario.
        main.findChild<QTimer*>(QStringLiteral("startTimer"))->stop();
        ASSERT_TRUE(showActive(main));
    }

    TR_Vstupni_Form& entry() const { return *session->mainWindow->entryWindow(); }
    std::string focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : std::string();
    }
    std::string text(const char* name) const {
        return entry().findChild<QLineEdit*>(QString::fromLatin1(name))->text().toStdString();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &entry(), k, modifiers);
    }
    // Notes a step that did not lead where the commission expects.
    void expectFocus(const std::string& name) {
        if (!waitFor([&] { return focused() == name; }, 2000)) seen.steps.push_back("wanted " + name + ", at " + focused());
    }
    // Types `value` into the field `name` as it comes into focus (its text
    // selected, so typing replaces it) and leaves it with Enter.
    void fill(const std::string& name, const QString& value) {
        expectFocus(name);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (edit) waitFor([&] { return edit->text().isEmpty() || edit->selectedText() == edit->text(); }, 1000);
        type(value);
        key(Qt::Key_Return);
    }

    // The whole record, typed as the commission types it.
    void typeTheRecord() {
        // Page I: nothing to change, Enter through it and on "Pokračovat".
        expectFocus("R_SEdZahajeno1");
        for (int i = 0; i < 40 && entry().notebook()->currentIndex() == 0; ++i) key(Qt::Key_Return);
        if (entry().notebook()->currentIndex() != kSection2) seen.steps.push_back("page I never handed on");

        // Page II: the four totals; KČ1 and KČ2 follow at once. The register
        // counts 812 voters for the precinct (its last record counts), as
        // many as the extracts: no warning on the way.
        fill("R_EdZapsOsoby", QStringLiteral("812"));
        fill("R_EdVydObalky", QStringLiteral("530"));
        fill("R_EdOdevzdObalky", QStringLiteral("528"));
        fill("R_EdPlatneHlasy", QStringLiteral("521"));
        seen.kc1 = text("R_EdT4KC_1");
        seen.kc2 = text("R_EdT4KC_2");
        // The boxes: Enter past parties 1, 2 and 3, Space on 7, Enter past it and the last.
        for (const char* box : {"PartyBox1", "PartyBox2", "PartyBox3"}) {
            expectFocus(box);
            key(Qt::Key_Return);
        }
        expectFocus("PartyBox7");
        key(Qt::Key_Space);
        key(Qt::Key_Return);
        expectFocus("PartyBox9");
        key(Qt::Key_Return);

        // Annex 1: party 7, its votes and three candidates.
        expectFocus("R_CBT4P_1");
        if (entry().notebook()->currentIndex() != kAnnex1) seen.steps.push_back("Annex 1 not shown");
        key(Qt::Key_Return);
        fill("R_EdPocHl", QStringLiteral("521"));
        fill("CandEdit1", QStringLiteral("15"));
        key(Qt::Key_Return);  // candidate 2
        fill("CandEdit3", QStringLiteral("40"));
        for (int j = 4; j < 12; ++j) {
            expectFocus("CandEdit" + std::to_string(j));
            key(Qt::Key_Return);
        }
        fill("CandEdit12", QStringLiteral("2"));
        seen.partyShown = text("R_EdCisStr");
        seen.annexKc2 = text("R_EdT4PKC2");
        seen.annexKc3 = text("R_EdT4PKC3");
        seen.annexKc4 = text("R_EdT4PKC4");
        seen.last = text("R_EdT4PPoslKand");
        for (int j : {1, 3, 12}) seen.products.push_back(entry().annex1()->product(j)->text().toStdString());
        key(Qt::Key_Return, Qt::ControlModifier);  // "Jdi na kontrolní číslo"
        expectFocus("R_EdT4PPoslKand");
        key(Qt::Key_Return);  // the last party: page III
        waitFor([&] { return entry().notebook()->currentIndex() == kSection3; }, 2000);
        seen.pageAfterLastCandidate = entry().notebook()->currentIndex();

        // Page III: five of seven present, the clerk, the four other names, the member entrusted.
        fill("R_SEdClenuOVKC", QStringLiteral("7"));
        fill("R_SEdClenuOVKP", QStringLiteral("5"));
        fill("R_SEdZapisovat", QStringLiteral("Jana Nováková"));
        expectFocus("R_JmenaKomise_SG");
        for (const char* name : {"Karel Dvořák", "Eva Malá", "Tomáš Černý", "Lucie Bílá"}) {
            type(QString::fromUtf8(name));
            key(Qt::Key_Return);
        }
        fill("R_SEdPoverPred", QStringLiteral("Petr Svoboda"));
        expectFocus("R_SEdOstatni");
    }

    talmorek::testing::TempDir dir;
    talmorek::testing::MediaMachine machine;
    ExportMedia media;
    talmorek::testing::ScriptedPrompts prompts;
    ProtocolAsText printJobs;
    std::unique_ptr<ProgramSession> session;
    Seen seen;
};

TEST_F(CleanRun, FromF2ToTheVerdictWithTheKeyboardAlone) {
    TPS_menu& main = *session->mainWindow;
    prompts.answers = {false};  // the export is another scenario
    std::string unexpected;
    QTimer::singleShot(0, &main, [&] {
        if (!waitFor([&] { return entry().isVisible() && entry().isActiveWindow(); })) {
            ADD_FAILURE() << "the entry window never became active";
            return;
        }
        // Any message of a field on the way is a fault of the run: noted and
        // answered "&Opravit", which the steps then notice.
        DialogAnswerer findings([&](QWidget* dialog) {
            auto* heading = dialog->findChild<QLabel*>(QStringLiteral("ChybaL"));
            unexpected = heading ? heading->text().toStdString() : dialog->objectName().toStdString();
            if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
        });
        typeTheRecord();
        key(Qt::Key_F2);
        seen.windowClosed = waitFor([&] { return !entry().isVisible(); }, 5000);
        if (entry().isVisible()) entry().done(QDialog::Rejected);
    });
    QTest::keyClick(&main, Qt::Key_F2);
    ASSERT_TRUE(waitFor([&] { return !entry().isVisible(); }, 5000));

    EXPECT_EQ(unexpected, "");
    EXPECT_EQ(seen.steps, std::vector<std::string>{});
    EXPECT_EQ(seen.kc1, "2");
    EXPECT_EQ(seen.kc2, "2391");
    EXPECT_EQ(seen.partyShown, "7");
    EXPECT_EQ(seen.annexKc2, "528");
    EXPECT_EQ(seen.annexKc3, "159");
    EXPECT_EQ(seen.annexKc4, "687");
    EXPECT_EQ(seen.last, "12");
    EXPECT_EQ(seen.products, (std::vector<std::string>{"     15", "    120", "     24"}));
    EXPECT_EQ(seen.pageAfterLastCandidate, kSection3);
    EXPECT_TRUE(seen.windowClosed);

    // The verdict: the protocol of checks finds nothing, then the question.
    EXPECT_EQ(printJobs.jobs(), std::vector<std::string>{"protocolOfChecks"});
    EXPECT_NE(printJobs.protocol.find("\"Nebyly zjištěny žádné chyby\""), std::string::npos) << printJobs.protocol;
    EXPECT_EQ(prompts.calls, std::vector<std::string>{kExportQuestion});
    EXPECT_TRUE(main.workflow().state().KontrolyOK);

    // The precinct's data as checked, and no other copy of them, beside
    // the course of voting and the commission.
    std::set<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.file("data/")))
        files.insert(e.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"HLASO.RCD", "KOMISE.RCD", "OP554782.00003"}));
    EXPECT_EQ(std::filesystem::file_size(dir.file("data/KOMISE.RCD")), 204u);
    const data::SeznamKomise names = data::NactiKomisi(dir.file("data/"));
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[2].clen, "Tomáš Černý");
    const data::Hlasovani course = data::NactiHlasovani(dir.file("data/"));
    EXPECT_EQ(course.Zapisovat, "Jana Nováková");
    EXPECT_EQ(course.PoverPred, "Petr Svoboda");
}

// The export command's own windows, answered with keys as they open inside
// the save: the target dialog (Enter in the list goes on to "Uložit", Enter
// there exports to the hard disk), the report of the export (Enter on OK)
// and the copies dialog (Enter on to OK and Enter there keep its 2). Any
// other modal window over the entry window is a fault of the run: noted and
// closed. Bounded.
class ExportAnswerer {
public:
    explicit ExportAnswerer(const QWidget& entry) : entry_(entry) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    std::vector<std::string> seen;  // object names of the windows answered, in order
    std::string exportReport;       // the body of the report of the export
    std::string unexpected;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == &entry_ || modal == last_ || !modal->isActiveWindow()) return;
        last_ = modal;
        const std::string name = modal->objectName().toStdString();
        seen.push_back(name);
        // The keys go from the event loop: each window opens the next from
        // inside its own handler.
        QTimer::singleShot(0, modal, [this, modal, name] {
            if (name == "Z_ExportDat_F") {
                QTest::keyClick(modal->findChild<QComboBox*>(QStringLiteral("Z_SeznZar_CB")), Qt::Key_Return);
                QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
            } else if (name == "Z_infoE_F") {
                exportReport = modal->findChild<QLabel*>(QStringLiteral("titulek3"))->text().toStdString();
                QTest::keyClick(modal->findChild<QPushButton*>(QStringLiteral("OK_Btn")), Qt::Key_Return);
            } else if (name == "Z_PocetKopii_F") {
                // Enter moves on to OK, Enter there prints the offered two.
                QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
                QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
            } else {
                unexpected = name;
                if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
            }
        });
        if (deadline_.hasExpired()) timer_.stop();
    }

    const QWidget& entry_;
    const QWidget* last_ = nullptr;
    QTimer timer_;
    QDeadlineTimer deadline_{60000};
};

// The whole night: the record typed, saved, exported to the hard disk and
// printed in the two copies the copies dialog offers; then F2 warns that
// the data left the station, and "Ne" leaves everything as it was.
TEST_F(CleanRun, TypedSavedExportedToTheHardDiskAndPrinted) {
    TPS_menu& main = *session->mainWindow;
    prompts.answers = {true};  // "Chcete pokračovat exportem dat a tiskem zápisu?"
    std::unique_ptr<ExportAnswerer> answerer;
    QTimer::singleShot(0, &main, [&] {
        if (!waitFor([&] { return entry().isVisible() && entry().isActiveWindow(); })) {
            ADD_FAILURE() << "the entry window never became active";
            return;
        }
        answerer = std::make_unique<ExportAnswerer>(entry());
        typeTheRecord();
        key(Qt::Key_F2);
        seen.windowClosed = waitFor([&] { return !entry().isVisible(); }, 5000);
        if (entry().isVisible()) entry().done(QDialog::Rejected);
    });
    QTest::keyClick(&main, Qt::Key_F2);
    ASSERT_TRUE(waitFor([&] { return !entry().isVisible(); }, 5000));
    ASSERT_TRUE(answerer);

    EXPECT_EQ(seen.steps, std::vector<std::string>{});
    EXPECT_TRUE(seen.windowClosed);
    EXPECT_EQ(answerer->unexpected, "");
    EXPECT_EQ(answerer->seen, (std::vector<std::string>{"Z_ExportDat_F", "Z_infoE_F", "Z_PocetKopii_F"}));
    ASSERT_EQ(prompts.calls.size(), 2u);
    EXPECT_EQ(prompts.calls[0], kExportQuestion);
    EXPECT_NE(prompts.calls[1].find("TISK ZÁPISU I EXPORT DAT POVOLEN."), std::string::npos) << prompts.calls[1];
    EXPECT_NE(answerer->exportReport.find("je uložen v adresáři"), std::string::npos) << answerer->exportReport;

    // The file the receiving point gets is the file the station keeps.
    const std::string kept = dir.read("data/OP554782.00003");
    ASSERT_TRUE(dir.exists("Export/OP554782.00003"));
    EXPECT_EQ(dir.read("Export/OP554782.00003"), kept);
    EXPECT_EQ(data::NactiStanici(dir.path()).Stav, "A");
    EXPECT_TRUE(main.workflow().state().ExportProveden);
    ASSERT_EQ(printJobs.jobs(), (std::vector<std::string>{"protocolOfChecks", "recordOfVote"}));
    EXPECT_EQ(printJobs.calls[1].copies, 2);

    // F2 again: the question of data already exported, "Ne" changes nothing.
    const std::string komise = dir.read("data/KOMISE.RCD");
    const std::string hlaso = dir.read("data/HLASO.RCD");
    prompts.answers = {false};
    ASSERT_TRUE(showActive(main));
    QTest::keyClick(&main, Qt::Key_F2);
    ASSERT_EQ(prompts.calls.size(), 3u);
    EXPECT_EQ(prompts.calls[2].rfind("questionDefaultNo|Vstup dat za okrsek|Data okrsku byla již vyexportována.", 0), 0u)
        << prompts.calls[2];
    EXPECT_FALSE(entry().isVisible());
    EXPECT_EQ(dir.read("data/OP554782.00003"), kept);
    EXPECT_EQ(dir.read("data/KOMISE.RCD"), komise);
    EXPECT_EQ(dir.read("data/HLASO.RCD"), hlaso);
    EXPECT_EQ(data::NactiStanici(dir.path()).Stav, "A");
}

}  // namespace
}  // namespace talmorek::gui::testing

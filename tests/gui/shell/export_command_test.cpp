// F4 in the program, keyboard only: the checks, the information dialog,
// the export target dialog over a machine without carriers, the export to
// the hard disk and what a completed or a cancelled export leaves behind.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/media/media_machine.h"
#include "core/data/station.h"
#include "core/export/export_fingerprint.h"
#include "shell_fixtures.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

const std::string kO = "data/OP554782.00003";
const std::string kExported = "Export/OP554782.00003";
const std::string kAllowed =
    "info|Export dat a tisk zápisu|TISK ZÁPISU I EXPORT DAT POVOLEN.|Pro export na USB disk\rvložte "
    "(zapojte) technický nosič,\rna který chcete data exportovat.\r\rPokud žádný nevložíte,\rbude umožněn jen "
    "export dat na pevný disk.";

class ExportCommandTest : public StartedProgram {
protected:
    ExportCommandTest() {
        media.sources = machine.sources();  // nothing plugged in
        inst.media = &media;
    }

    talmorek::testing::MediaMachine machine;
    ExportMedia media;
};

TEST_F(ExportCommandTest, F4ExportsToTheHardDiskMarksTheStationAndPrints) {
    inst.writeData(talmorek::testing::cleanRecord(inst.parties()), exporting::DataLetter::O);
    start();
    ModalAnswerer answerer;
    QString body;
    answerer.then([](QWidget* w) {
        // Enter in the list goes on to "Uložit", Enter there exports; the
        // information dialog opens from inside, so the keys go from the loop.
        QTimer::singleShot(0, w, [w] {
            QTest::keyClick(w->findChild<QComboBox*>("Z_SeznZar_CB"), Qt::Key_Return);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        });
    });
    answerer.then([&](QWidget* w) {
        body = w->findChild<QLabel*>("titulek3")->text();
        QTest::keyClick(w->findChild<QPushButton*>("OK_Btn"), Qt::Key_Return);
    });
    answerer.then([](QWidget* w) {
        // The copies dialog offers 2 with the field's text selected: a digit
        // replaces it, Enter moves on to OK and Enter there confirms.
        QTest::keyClick(w->focusWidget(), Qt::Key_3);
        QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    });
    choose("ExportTisk_MI");
    EXPECT_EQ(inst.prompts.calls, std::vector<std::string>{kAllowed});
    ASSERT_EQ(answerer.seen().size(), 3u);
    EXPECT_EQ(answerer.seen()[0], "Z_ExportDat_F|Export dat|");
    EXPECT_EQ(answerer.seen()[1], "Z_infoE_F|Export dat a tisk zápisu|");
    EXPECT_EQ(answerer.seen()[2], "Z_PocetKopii_F|Tisk zápisu|");
    ASSERT_TRUE(inst.dir.exists(kExported));
    EXPECT_EQ(inst.dir.read(kExported), inst.dir.read(kO));
    EXPECT_TRUE(body.endsWith("Otisk souboru: " +
                              QString::fromStdString(exporting::exportFingerprint(inst.dir.read(kO)))))
        << body.toStdString();
    EXPECT_TRUE(window().workflow().state().ExportProveden);
    EXPECT_EQ(stav(), "A");
    EXPECT_EQ(inst.printJobs.jobs(), (std::vector<std::string>{"recordOfVote"}));
    EXPECT_EQ(inst.printJobs.calls.at(0).copies, 3);
}

TEST_F(ExportCommandTest, EscapeInTheTargetDialogExportsNothing) {
    inst.writeData(talmorek::testing::cleanRecord(inst.parties()), exporting::DataLetter::O);
    start();
    ModalAnswerer answerer;
    answerer.then([](QWidget* w) { QTest::keyClick(w->findChild<QComboBox*>("Z_SeznZar_CB"), Qt::Key_Escape); });
    choose("ExportTisk_MI");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_FALSE(window().workflow().state().ExportProveden);
    EXPECT_FALSE(inst.dir.exists(kExported));
    EXPECT_EQ(stav(), "N");
    EXPECT_TRUE(inst.printJobs.calls.empty());
}

}  // namespace
}  // namespace talmorek::gui::testing

// A link planted where the station writes (a temporary file's name, a
// working file, the data file, the station record, the export's target)
// never carries the station's bytes to the file it names: that file stays
// as it was, and the outcome is a file of the station's own or a clear
// refusal in Czech, never an export reported done onto a link.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "core/workflow/workflow_fixture.h"
#include "core/data/errors.h"
#include "core/data/registers.h"
#include "core/workflow/error_messages.h"
#include "core/workflow/export_to_target.h"
#include "core/workflow/saved_record.h"
#include "support/error_of.h"
#include "support/test_platform.h"

namespace talmorek::testing {
namespace {

namespace fs = std::filesystem;

bool isOwnFile(const std::string& path) { return fs::is_regular_file(fs::symlink_status(path)); }
bool nothingAt(const std::string& path) { return !fs::exists(fs::symlink_status(path)); }

constexpr const char* kNoLinks = "no symbolic link can be planted on this system";

class PlantedLinks : public WorkflowTest {
protected:
    PlantedLinks() { elsewhere.write("victim", "not the station's"); }

    void plantAt(const std::string& path) const {
        fs::remove(path);
        fs::create_symlink(elsewhere.file("victim"), path);
    }
    void expectVictimUntouched() const { EXPECT_EQ(elsewhere.read("victim"), "not the station's"); }

    TempDir elsewhere;
};

// Every file a save writes, with a link at its temporary name or at the
// file itself: saved whole into a file of its own.
TEST_F(PlantedLinks, ASaveWritesEveryFileAsItsOwnWhereverTheLinkStands) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    const record::RecordOfVote record = cleanRecord(parties);
    const std::string written[] = {dataFile(DataLetter::E), "data/HLASO.RCD", "data/KOMISE.RCD"};
    for (const std::string& file : written) {
        for (const bool atTemporary : {true, false}) {
            SCOPED_TRACE(file + (atTemporary ? " (temporary name)" : " (the file)"));
            save(record, DataLetter::E);
            const std::string before = dir.read(file);
            plantAt(dir.file(file) + (atTemporary ? ".tmp~" : ""));
            data::TStanice s = station();
            workflow::saveEnteredRecord(workflow.directories(), s, record, DataLetter::E, record.komise, files);
            expectVictimUntouched();
            EXPECT_TRUE(isOwnFile(dir.file(file)));
            EXPECT_EQ(dir.read(file), before) << "the same record saved again";
            EXPECT_TRUE(nothingAt(dir.file(file) + ".tmp~"));
        }
    }
}

// The station record read through a link is written back as a file of the
// station's own: the file the link names keeps its status letter.
TEST_F(PlantedLinks, AStationRecordThatIsALinkIsReplacedNotWrittenThrough) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    fs::rename(dir.file("STANICE.RCD"), elsewhere.file("victim"));
    const std::string before = elsewhere.read("victim");
    fs::create_symlink(elsewhere.file("victim"), dir.file("STANICE.RCD"));
    data::TStanice s = station();
    data::ZapisStavStanice(dir.path(), "A", s, files);
    EXPECT_EQ(elsewhere.read("victim"), before);
    EXPECT_TRUE(isOwnFile(dir.file("STANICE.RCD")));
    EXPECT_EQ(data::NactiStanici(dir.path()).Stav, "A");
}

// A register an installation links to is read through the link.
TEST_F(PlantedLinks, ARegisterThatIsALinkIsRead) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    fs::rename(dir.file("STRANY.RCD"), elsewhere.file("STRANY.RCD"));
    fs::create_symlink(elsewhere.file("STRANY.RCD"), dir.file("STRANY.RCD"));
    EXPECT_EQ(data::Registers(dir.path()).NactiStrany().length, parties.length);
}

class PlantedLinksInExport : public PlantedLinks {
protected:
    PlantedLinksInExport() {
        save(cleanRecord(parties), DataLetter::O);
        dirs.program = dir.path();
        dirs.station = dir.path();
        dirs.data = dataDir();
        fs::create_directory(dir.file("Export"));
    }
    std::string target() const { return dir.file("Export/" + exporting::dataFileName(DataLetter::O, "554782", kOkrsek)); }

    data::Directories dirs;
};

TEST_F(PlantedLinksInExport, ALinkAtTheTemporaryNameIsUnlinkedAndTheFileExportedAsItsOwn) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    plantAt(target() + ".tmp~");
    const workflow::ExportReport report =
        workflow::exportToTarget(media::hardDiskTarget(dir.path()), dirs, station(), media::MediaSources{}, files);
    expectVictimUntouched();
    EXPECT_TRUE(isOwnFile(target()));
    EXPECT_EQ(dir.read("Export/" + exporting::dataFileName(DataLetter::O, "554782", kOkrsek)),
              dir.read(dataFile(DataLetter::O)));
    EXPECT_TRUE(nothingAt(target() + ".tmp~"));
    EXPECT_EQ(report.heading, "Export dat na pevný disk proveden.");
}

TEST_F(PlantedLinksInExport, ALinkAtTheTargetIsRefusedAndNothingIsReportedDone) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    plantAt(target());
    if (const auto e = errorOf<media::ExportError>([&] {
            workflow::exportToTarget(media::hardDiskTarget(dir.path()), dirs, station(), media::MediaSources{}, files);
        })) {
        EXPECT_EQ(workflow::czechMessage(*e), "Export na " + dir.path() + "Export se nepovedl: na místě souboru " +
                                                  target() +
                                                  " je odkaz na jiný soubor, který program nepřepíše.\r"
                                                  "Data nebyla exportována.");
    }
    expectVictimUntouched();
    EXPECT_FALSE(isOwnFile(target()));
    EXPECT_TRUE(nothingAt(target() + ".tmp~"));
}

// The "Export" directory itself a link to elsewhere: refused, and nothing
// goes where it points.
TEST_F(PlantedLinksInExport, AnExportDirectoryThatIsALinkIsRefused) {
    if (!symbolicLinksCanBeMade()) GTEST_SKIP() << kNoLinks;
    fs::remove_all(dir.file("Export"));
    fs::create_directory(elsewhere.file("away"));
    fs::create_directory_symlink(elsewhere.file("away"), dir.file("Export"));
    if (const auto e = errorOf<media::ExportError>([&] {
            workflow::exportToTarget(media::hardDiskTarget(dir.path()), dirs, station(), media::MediaSources{}, files);
        })) {
        EXPECT_EQ(workflow::czechMessage(*e), "Export na " + dir.path() + "Export se nepovedl: adresář " + dir.path() +
                                                  "Export je odkaz na jiné místo, kam program data neexportuje.\r"
                                                  "Data nebyla exportována.");
    }
    EXPECT_TRUE(fs::is_empty(elsewhere.file("away")));
}

TEST_F(PlantedLinksInExport, ADirectoryAtTheTargetIsRefused) {
    fs::create_directory(target());
    if (const auto e = errorOf<media::ExportError>([&] {
            workflow::exportToTarget(media::hardDiskTarget(dir.path()), dirs, station(), media::MediaSources{}, files);
        })) {
        EXPECT_EQ(workflow::czechMessage(*e), "Export na " + dir.path() + "Export se nepovedl: na místě souboru " +
                                                  target() + " je adresář nebo zařízení.\rData nebyla exportována.");
    }
    EXPECT_TRUE(fs::is_directory(target()));
}

}  // namespace
}  // namespace talmorek::testing

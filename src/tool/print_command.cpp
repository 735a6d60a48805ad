// `talmorek-tool print`: a printout of the program drawn without a display
// and written to a PDF file, optionally with its recorded drawing calls.
// The pages are drawn by the same layouts, measured with the same fonts and
// rendered by the same renderer as in the program.

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "render/paged_output.h"
#include "render/print_errors.h"
#include "render/qt_text_measure.h"
#include "render/test_page_facts.h"
#include "core/workflow/saved_record.h"
#include "core/checks/catalogue.h"
#include "core/checks/check_run.h"
#include "core/data/file_io.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/recompute.h"
#include "core/print/primitives.h"
#include "core/print/protocol_layout.h"
#include "core/print/record_document.h"
#include "core/print/recording_document.h"
#include "core/print/tally_layout.h"
#include "core/print/test_page_layout.h"
#include "tool/check_command.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/installation.h"
#include "tool/record_json.h"

namespace talmorek::tool {
namespace {

constexpr const char* kUsage =
    "Použití: talmorek-tool print protocol|testpage|record|tally DIR [STATION] [--record FILE.json] --pdf OUT "
    "[--calls OUT.txt] [--direct] [--bez-hacku] [--recompute] [--now YYYY-MM-DDTHH:MM:SS] [--seed N]\n";

// A printout that cannot be made from what was given; the text is for the user.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PrintoutInput {
    const data::Directories& dirs;
    const data::TStanice& station;
    const RecordOptions& options;
    // The command's one clock, and the moment of printing read from it once.
    std::shared_ptr<const data::Clock> clock;
    data::LocalDateTime now;
    bool sDiakritikou;
};

// The station's saved data or the given record.
record::RecordOfVote recordToPrint(const PrintoutInput& in) {
    record::RecordOfVote record;
    if (in.options.recordFile.empty()) {
        if (!workflow::loadSavedRecord(in.dirs, in.station, record)) throw Refused("Data nejsou pořízena!!!");
    } else {
        record = parseRecordJson(data::readWholeFile(in.options.recordFile));
    }
    return record;
}

// The check run the program makes before it prints: its protocol is what
// the protocol of checks shows and what the record's first footer lists.
struct CheckedRecord {
    explicit CheckedRecord(const PrintoutInput& in)
        : record(recordToPrint(in)), registers(in.dirs.program), catalogue(in.dirs.program), protocol(catalogue) {
        const data::PartyList parties = registers.NactiStrany();
        if (in.options.recompute) recomputeTyped(record, parties, in.station, sourcesFor(in.options, in.clock));
        checks::ProvedKontroly(record, registers, parties, in.station.KodObce, protocol,
                               checks::Vybrano::CheckCommandOrSave,
                               in.options.recordFile.empty() ? workflow::courseOfVotingFile(in.dirs)
                                                             : in.options.recordFile);
    }
    record::RecordOfVote record;
    data::Registers registers;
    checks::TCisChyb catalogue;
    checks::TChybProt protocol;
};

// The protocol of checks of the station's saved data or of the given record.
void protocolPrintout(print::PrintContext& ctx, const PrintoutInput& in) {
    const CheckedRecord checked(in);
    print::TiskProtokolu(ctx, checked.protocol, checked.record.T4, in.now, in.sDiakritikou);
}

// The record of the vote with its Annex 1 sheets, as one copy of it comes
// out after the export (with --direct, the layout of the copies that go
// straight to the printer).
void recordPrintout(print::PrintContext& ctx, const PrintoutInput& in) {
    const CheckedRecord checked(in);
    const print::RecordJob job =
        print::makeRecordJob(checked.record, checked.registers, in.station, &checked.protocol, in.sDiakritikou, in.now);
    print::InitTisk(ctx, in.now);
    ctx.preview.document().setPrintJobTitle(print::recordJobTitle(job.zvlastniOkrsek));
    print::SestavZapis(ctx, job);
}

// The tally sheet of the installation's party list and candidates.
void tallyPrintout(print::PrintContext& ctx, const PrintoutInput& in) {
    const data::Registers registers(in.dirs.program);
    const data::PartyList parties = registers.NactiStrany();
    const data::CandidateTable candidates = registers.NactiKandidaty();
    print::TiskScitacihoArchu(ctx, parties, candidates, in.now, in.sDiakritikou);
}

// The printer test page; the "printer" is the PDF file.
void testPagePrintout(print::PrintContext& ctx, const PrintoutInput& in) {
    const print::TestPageFacts facts = render::testPageFacts("PDF", data::electionDates(in.station));
    print::printTestPage(ctx, facts, in.now, in.sDiakritikou);
}

struct Printout {
    std::string_view name;
    void (*draw)(print::PrintContext&, const PrintoutInput&);
};

// One line per printout.
constexpr Printout kPrintouts[] = {
    {"protocol", protocolPrintout},
    {"testpage", testPagePrintout},
    {"record", recordPrintout},
    {"tally", tallyPrintout},
};

struct PrintOptions {
    const Printout* printout = nullptr;
    std::string pdf;
    std::string calls;
    bool sDiakritikou = true;  // false with --bez-hacku
    bool direct = false;
    RecordOptions record;
};

// Takes the options of this command out, hands the rest to the record options.
std::optional<PrintOptions> parsePrintOptions(const Args& args, std::ostream& err) {
    PrintOptions o;
    if (args.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    for (const Printout& p : kPrintouts)
        if (args[0] == p.name) o.printout = &p;
    if (o.printout == nullptr) {
        err << "Neznámá tisková sestava: " << args[0] << ".\n" << kUsage;
        return std::nullopt;
    }
    Args rest;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--pdf" || a == "--calls") {
            if (i + 1 >= args.size()) {
                err << "Volba " << a << " potřebuje hodnotu.\n";
                return std::nullopt;
            }
            (a == "--pdf" ? o.pdf : o.calls) = args[++i];
        } else if (a == "--bez-hacku") {
            o.sDiakritikou = false;
        } else if (a == "--direct") {
            o.direct = true;
        } else if (a == "--letter" || a == "--json") {
            err << "Volba " << a << " nepatří k příkazu print.\n" << kUsage;
            return std::nullopt;
        } else {
            rest.push_back(a);
        }
    }
    auto record = parseRecordOptions(rest, err);
    if (!record) return std::nullopt;
    o.record = std::move(*record);
    if (o.direct && o.printout->name != "record") {
        err << "Volba --direct platí jen pro tisk zápisu (print record).\n" << kUsage;
        return std::nullopt;
    }
    if (o.pdf.empty()) {
        err << "Uveďte výstupní soubor PDF (--pdf OUT).\n" << kUsage;
        return std::nullopt;
    }
    return o;
}

// Fonts and PDF writing need a GUI application; without a display it runs
// on the offscreen platform. An application that already exists is used.
class GuiApplication {
public:
    GuiApplication() {
        if (QCoreApplication::instance() != nullptr) return;
        const char* display = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0'))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    bool usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

private:
    char name_[14] = "talmorek-tool";
    char* argv_[2] = {name_, nullptr};
    int argc_ = 1;
    std::unique_ptr<QGuiApplication> app_;
};

// Direct print hands every finished page over at once; here they are
// collected for the PDF instead of going to a printer.
class CollectingSink : public print::PageSink {
public:
    void startJob(const std::string& title) override { document = print::RecordedDocument{title, {}}; }
    void printPage(const print::RecordedPage& page) override { document.pages.push_back(page); }
    void endJob() override {}
    print::RecordedDocument document;
};

}  // namespace

int runPrint(const Args& args, std::ostream& out, std::ostream& err) {
    auto options = parsePrintOptions(args, err);
    if (!options) return kExitFailure;
    auto dirs = installationDirectories(options->record.positional, err);
    if (!dirs) return kExitFailure;
    try {
        GuiApplication application;
        if (!application.usable()) throw Refused("Tisk potřebuje grafickou aplikaci Qt.");
        const data::TStanice station = data::NactiStanici(dirs->station);
        CollectingSink directPages;
        print::RecordingDocument document(&directPages);
        document.setDirectPrint(options->direct);
        print::PreviewDocument preview(document);
        const render::QtTextMeasure measure;
        print::PrintContext ctx(preview, measure, station);
        const std::shared_ptr<const data::Clock> clock = clockFor(options->record);
        options->printout->draw(ctx, {*dirs, station, options->record, clock, clock->now(), options->sDiakritikou});
        const print::RecordedDocument& drawn = options->direct ? directPages.document : document.recorded();
        render::writePdf(drawn, QString::fromStdString(options->pdf));
        if (!options->calls.empty()) data::replaceFileAtomically(options->calls, print::toText(drawn));
        out << options->pdf << ": " << drawn.pages.size() << " str.\n";
        return kExitOk;
    } catch (const Refused& e) {
        err << e.what() << "\n";
        return kExitFailure;
    } catch (const RecordJsonError& e) {
        err << options->record.recordFile << ": " << e.what() << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        err << render::printFailureMessage(e) << "\n";
        return kExitFailure;
    }
}

}  // namespace talmorek::tool

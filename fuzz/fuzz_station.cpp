// STANICE.RCD of any content: read as the program reads it at start-up,
// everything derived from it for the main window and the file names, and
// the status update, which must leave every byte of the record but those of
// `Stav` as it found them.

#include "core/data/file_io.h"
#include "core/data/station.h"
#include "fuzz_support.h"
#include "core/workflow/station_display.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    const data::Directories& dirs = fuzz::demoInstallation();
    const std::string_view bytes = fuzz::bytesOf(data, size);
    fuzz::putFile(dirs.station, "STANICE.RCD", bytes);
    fuzz::refusingOnlyByDataError([&] {
        data::TStanice station = data::NactiStanici(dirs.station);
        (void)data::isSpecialPrecinct(station);
        (void)data::precinctFiveDigits(station.CisloOkrsku);
        (void)data::electionDates(station);
        (void)data::reservedText(station);
        (void)workflow::statusLabels(station);
        (void)workflow::bezHackuEnabled(station);
        (void)workflow::electionDatesText(station);

        data::ZapisStavStanice(dirs.station, "N", station);
        if (bytes.size() != data::stanice::kRecordSize) return;  // the byte rule is for the one record
        const std::string after = data::readWholeFile(dirs.station + "STANICE.RCD");
        if (after.size() != bytes.size()) fuzz::fail("the status update changed the size of STANICE.RCD");
        constexpr std::size_t kStav = 255;  // its length byte and its letter
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (i == kStav || i == kStav + 1) continue;
            if (after[i] != bytes[i]) fuzz::fail("the status update changed a byte outside Stav");
        }
    });
    return 0;
}

// The catalogue of check messages, CISCHYB.RCD, of any content: loaded as
// the check run loads it, every entry looked up, and every entry read
// encodes to a record that decodes to the same entry.

#include "core/checks/catalogue.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    const data::Directories& dirs = fuzz::demoInstallation();
    fuzz::putFile(dirs.program, "CISCHYB.RCD", fuzz::bytesOf(data, size));
    fuzz::refusingOnlyByDataError([&] {
        const checks::TCisChyb catalogue(dirs.program);
        for (const checks::TChybaInfo& entry : catalogue.entries()) {
            if (catalogue.NajdiChybu(entry.Chyba).Chyba != entry.Chyba)
                fuzz::fail("an entry of the catalogue is not found by its code");
            if (checks::decodeChybaInfo(checks::encodeChybaInfo(entry)) != entry)
                fuzz::fail("an entry of the catalogue does not encode and decode the same");
        }
        (void)catalogue.NajdiChybu(-7);
    });
    return 0;
}

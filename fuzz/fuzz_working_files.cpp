// The working files of a station (HLASO.RCD, KOMISE.RCD): the first byte of
// an input chooses the file, the rest is its content. They are read as the
// check run loads them; what was read, written back, must read the same.

#include "core/data/working_files.h"
#include "core/record/record_of_vote.h"
#include "fuzz_support.h"
#include "core/workflow/saved_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    if (size == 0) return 0;
    const data::Directories& dirs = fuzz::demoInstallation();
    const bool course = data[0] % 2 == 0;
    const std::string_view bytes = fuzz::bytesOf(data + 1, size - 1);
    // The other file as the demo installation lays it out.
    fuzz::putFile(dirs.data, "HLASO.RCD", course ? bytes : std::string_view(data::encodeHlasovani({})));
    fuzz::putFile(dirs.data, "KOMISE.RCD", course ? std::string_view() : bytes);

    fuzz::refusingOnlyByDataError([&] {
        record::RecordOfVote record;
        workflow::loadCourseAndCommission(dirs, record);
    });
    fuzz::refusingOnlyByDataError([&] { (void)data::KomiseNeprazdna(dirs.data); });
    fuzz::refusingOnlyByDataError([&] {
        const data::Hlasovani read = data::NactiHlasovani(dirs.data);
        data::ZapisHlasovani(dirs.data, read);
        if (data::NactiHlasovani(dirs.data) != read) fuzz::fail("HLASO.RCD written back reads otherwise");
    });
    fuzz::refusingOnlyByDataError([&] {
        const data::SeznamKomise read = data::NactiKomisi(dirs.data);
        data::ZapisKomisi(dirs.data, read);
        if (data::NactiKomisi(dirs.data) != read) fuzz::fail("KOMISE.RCD written back reads otherwise");
    });
    return 0;
}

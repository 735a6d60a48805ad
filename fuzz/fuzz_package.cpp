// The package decoder (Base64, Blowfish CFB-8, the zlib container) on any
// text, as a precinct data file or an export medium may hold it; and the
// encoder and decoder agree on the same bytes used as plain text.

#include "core/export/package.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    fuzz::refusingOnlyByDataError([&] { (void)exporting::readPackage(bytes, "fuzz.package"); });

    std::string back;
    try {
        back = exporting::readPackage(exporting::makePackage(bytes), "fuzz.package");
    } catch (const std::exception& e) {
        fuzz::fail("a package just made cannot be read", e.what());
    }
    if (back != bytes) fuzz::fail("a package does not give back its plain bytes");
    return 0;
}

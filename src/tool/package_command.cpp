#include <ostream>
#include <string_view>

#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/export/blowfish.h"
#include "core/export/package.h"
#include "tool/command_support.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

constexpr const char* kUsage =
    "Použití: talmorek-tool package encode PLAIN OUT [--key KLÍČ] | package decode PACKAGE OUT [--key KLÍČ]\n";

}  // namespace

// `encode` turns a plain file into a package as the program stores and exports
// it (compressed, encrypted with the package key, Base64 lines); `decode`
// gives the plain file back, at most `kLargestUnpacked` bytes of it (a
// package claiming more is refused before it is inflated). The output is
// replaced atomically and only when the whole conversion succeeded.
// `--key` replaces the package key by the given bytes (as typed, 1 to 56 of
// them), e.g. to read a package made elsewhere under another key; a key the
// cipher does not take is refused before any file is read.
int runPackage(const Args& args, std::ostream& out, std::ostream& err) {
    const bool withKey = args.size() == 5 && args[3] == "--key";
    if ((args.size() != 3 && !withKey) || (args[0] != "encode" && args[0] != "decode")) {
        err << kUsage;
        return kExitFailure;
    }
    const bool encode = args[0] == "encode";
    const std::string& input = args[1];
    const std::string& output = args[2];
    const std::string_view key = withKey ? std::string_view(args[4]) : exporting::kPackageKey;
    try {
        exporting::Blowfish{key};  // refuses a key of the wrong length or a weak one
        const std::string bytes = data::readWholeFile(input);
        const std::string result =
            encode ? exporting::encryptToPackage(exporting::packToContainer(bytes), key)
                   : exporting::unpackContainer(exporting::decryptPackage(bytes, key, input), input);
        data::replaceFileAtomically(output, result);
        out << (encode ? "Balíček " : "Soubor ") << output << " zapsán (" << result.size() << " B).\n";
    } catch (const data::FormatError& e) {
        if (e.field() == exporting::kPlainSizeField) {
            err << "Soubor " << e.file() << " uvádí víc dat (nad " << exporting::kLargestUnpacked / (1024 * 1024)
                << " MiB), než balíček dat může obsahovat; nebyl rozbalen.\n";
            return kExitFailure;
        }
        // Base64, cipher and compression errors all mean the same to the user:
        // this file cannot be read back as a package.
        err << workflow::notAPackage(e.file()) << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

}  // namespace talmorek::tool

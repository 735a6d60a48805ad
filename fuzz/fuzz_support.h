#pragma once
// What the fuzz harnesses share: the rule for exceptions (a reader may refuse
// its input only with its own typed error), the report of a broken property,
// and one demo installation on disk whose files a harness replaces with the
// fuzzer's bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "core/data/directories.h"
#include "core/data/errors.h"

namespace talmorek::fuzz {

// Ends the run as a crash, so that libFuzzer keeps the input.
[[noreturn]] void fail(const char* what, std::string_view detail = {});

// Runs `read` on one input. A data::DataError is the reader's refusal and
// ends the input quietly; any other exception is a fault.
template <class Read>
void refusingOnlyByDataError(Read&& read) {
    try {
        read();
    } catch (const data::DataError&) {
        // refused by name: what a damaged file must get
    } catch (const std::exception& e) {
        fail("an exception that is not the reader's own error escaped", e.what());
    } catch (...) {
        fail("a non-standard exception escaped");
    }
}

// A single-station demo installation in a fresh temporary directory, laid out
// once per process and removed at exit.
const data::Directories& demoInstallation();

// Replaces `dir` + `name` with `bytes` (plainly: a harness is not a save).
void putFile(const std::string& dir, std::string_view name, std::string_view bytes);

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace talmorek::fuzz

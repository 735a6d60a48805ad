#pragma once
// Base64 as the package text carries it: the standard alphabet with "="
// padding, in lines of 76 characters so that the file survives any tool that
// handles it as text on the way to the receiving office.

#include <string>
#include <string_view>

namespace talmorek::exporting {

inline constexpr std::size_t kBase64LineLength = 76;

// Every full line of 76 characters is followed by CR LF, the last one too; a
// shorter final line (ending with the padding) has no line break.
std::string encodeBase64(std::string_view bytes);

// Skips CR and LF wherever they stand. Anything else that is not Base64 — a
// character outside the alphabet, padding that is misplaced or too long, a
// text whose length without line breaks is not a multiple of 4 — raises
// data::FormatError naming `fileNameForErrors`, with the 0-based position of
// the offending character in `text` (for a length that does not come out, the
// position where the incomplete final group starts).
std::string decodeBase64(std::string_view text, const std::string& fileNameForErrors = {});

}  // namespace talmorek::exporting

#pragma once
// The fingerprint of an exported precinct data file: the first 16 hex
// digits of its SHA-256 in groups of four ("1a2b 3c4d 5e6f 7a8b"). The
// commission reads it off the screen after the export, and the receiving
// point compares it with the file it received, so a file swapped or damaged
// on the way is caught before its numbers are taken over.

#include <string>
#include <string_view>

namespace talmorek::exporting {

std::string exportFingerprint(std::string_view fileBytes);

}  // namespace talmorek::exporting

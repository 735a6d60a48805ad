#pragma once
// Whether a Blowfish key is weak, answered without the cryptographic
// library, so that every build refuses the same keys.

#include <string_view>

namespace talmorek::exporting {

// Whether the standard key schedule of `key` (1 to 56 bytes; KeyError
// otherwise) leaves two equal words in one of the four S-boxes.
bool leavesRepeatedSBoxWord(std::string_view key);

}  // namespace talmorek::exporting

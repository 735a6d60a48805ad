#pragma once
// What every backend of blowfish.h and sha256.h (crypto_<library>.cpp)
// shares with blowfish.cpp.

#include <cstddef>
#include <string_view>

namespace talmorek::exporting {

// Zeroes memory through a volatile pointer: the writes are observable side
// effects, so the compiler cannot drop them as stores to an object that is
// about to die.
void wipe(void* data, std::size_t size);

// KeyError (Length) unless the key is 1 to 56 bytes long: both libraries
// would take some keys the format does not.
void refuseKeyLength(std::string_view key);

}  // namespace talmorek::exporting

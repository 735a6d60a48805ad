#pragma once
// The container: one compressed file with a small header, the innermost layer
// of a package.
//
//   offset  size  field
//   0       4     format mark, 1 (not checked when read)
//   4       4     name length L (always 8: the name written is "data.dmp")
//   8       n     the name, n = min(L, 255) bytes, no terminator; skipped
//   8+n     4     plain size: the uncompressed length (its low 32 bits)
//   12+n    rest  a zlib stream (RFC 1950 wrapper) of the whole file
//
// All integers are 32-bit little-endian. What follows the zlib stream is
// ignored: the encryption layer pads the container to whole 8-byte slices.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talmorek::exporting {

inline constexpr std::uint32_t kContainerMark = 1;
inline constexpr std::string_view kContainerEntryName = "data.dmp";
inline constexpr std::size_t kContainerMaxNameLength = 255;

// Compresses `plain` at zlib's default level into a container.
std::string packToContainer(std::string_view plain);

// The most a container is let to unpack to unless its reader knows better:
// packages hold a few kilobytes, and a few kilobytes of zlib stream can
// claim and inflate to gigabytes (a "bomb"), on a receiving side that reads
// hundreds of carriers in one run.
inline constexpr std::size_t kLargestUnpacked = 16 * 1024 * 1024;
// The field a refusal of a plain size above the limit names, as the
// commission reads it.
inline constexpr std::string_view kPlainSizeField = "velikost dat";

// The plain file held in `container`: exactly plain-size bytes inflated from
// the zlib stream, whose checksum is verified. A plain size above `largest`
// is refused from the header, before anything is inflated (the error's
// field is `kPlainSizeField`). A header cut short, a damaged stream, a failing
// checksum, or a stream that yields fewer or more bytes than plain size raise
// data::FormatError naming `fileNameForErrors`, with the 0-based byte position
// in the container where the damage was found. The output grows only as the
// stream yields it, so memory never exceeds what is written out.
std::string unpackContainer(std::string_view container, const std::string& fileNameForErrors,
                            std::size_t largest = kLargestUnpacked);

}  // namespace talmorek::exporting

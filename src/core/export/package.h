#pragma once
// The package: the form in which a precinct's results leave the station and
// in which they wait on disk between runs. The plain text is compressed into
// a container (container.h), the container is encrypted with Blowfish in
// 8-bit cipher-feedback mode under one fixed key, and the cipher text is
// written as Base64 lines. The receiving office reads it back with the same
// key, so every layer is bit-exact with what it expects.
//
// Encryption works in slices of 8 bytes through an 8-byte buffer: each slice
// is read into the buffer, encrypted there in place, and written whole. The
// encrypted length is therefore the container length rounded up to a
// multiple of 8, and the missing bytes of a short last slice are whatever the
// buffer still holds — the cipher text of the previous slice at the same
// places. They are encrypted like data; the reader decrypts them too and the
// container reader ignores them after the end of the zlib stream. A container
// shorter than 8 bytes has no previous slice: its filler is the buffer's
// initial content, eight zero bytes.

#include <string>
#include <string_view>

#include "core/export/container.h"

namespace talmorek::exporting {

// The one key of every package, used as its 16 ASCII bytes.
inline constexpr std::string_view kPackageKey = "Kx7mQ2vLp9RtW4zN";
inline constexpr std::size_t kPackageSlice = 8;

// Encrypts a container (zero initial register) and encodes it as Base64 lines.
// KeyError (blowfish.h) when the key is not 1 to 56 bytes long or is weak.
std::string encryptToPackage(std::string_view container, std::string_view key = kPackageKey);

// Decodes the Base64 text and decrypts all of it, filler included. Bad Base64
// raises data::FormatError naming `fileNameForErrors`, positioned in the text.
// A wrong key cannot be noticed here: it yields garbage that the container
// reader refuses. KeyError as for encryptToPackage.
std::string decryptPackage(std::string_view packageText, std::string_view key,
                           const std::string& fileNameForErrors);

// Plain bytes → package text with the package key, and back. Errors of
// readPackage are data::FormatError naming `fileNameForErrors`; a position
// from the container layer counts bytes of the decrypted container.
std::string makePackage(std::string_view plain);
// A plain text above `largest` bytes is refused before it is inflated.
std::string readPackage(std::string_view packageText, const std::string& fileNameForErrors,
                        std::size_t largest = kLargestUnpacked);

// The four file-to-file steps: writing a package is `Zabal` then `Zasifruj`,
// reading one is `Desifruj` then `Rozbal`. Each reads its input whole and
// replaces its output atomically, so a failure leaves no output or the old
// one untouched. Unreadable or unwritable files raise data::IoError; damaged
// content raises data::FormatError naming the input file.
void Zabal(const std::string& plainPath, const std::string& containerPath);
void Rozbal(const std::string& containerPath, const std::string& plainPath);
void Zasifruj(const std::string& containerPath, const std::string& packagePath, std::string_view key);
void Desifruj(const std::string& packagePath, const std::string& containerPath, std::string_view key);

}  // namespace talmorek::exporting

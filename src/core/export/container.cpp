#include "core/export/container.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "core/data/errors.h"

namespace talmorek::exporting {
namespace {

constexpr std::size_t kInflateChunk = 64 * 1024;

void appendU32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

std::uint32_t readU32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

// Owns a zlib inflate state for the duration of one read.
class Inflater {
public:
    explicit Inflater(std::string_view input) {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
        stream_.avail_in = static_cast<uInt>(input.size());
        if (inflateInit(&stream_) != Z_OK) throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Inflates into [out, out + size); returns zlib's code.
    int run(char* out, std::size_t size) {
        stream_.next_out = reinterpret_cast<Bytef*>(out);
        stream_.avail_out = static_cast<uInt>(size);
        return inflate(&stream_, Z_NO_FLUSH);
    }
    std::size_t produced(std::size_t size) const { return size - stream_.avail_out; }
    std::size_t consumed() const { return stream_.total_in; }
    const char* message() const { return stream_.msg ? stream_.msg : "damaged data"; }

private:
    z_stream stream_{};
};

}  // namespace

std::string packToContainer(std::string_view plain) {
    std::string out;
    appendU32(out, kContainerMark);
    appendU32(out, static_cast<std::uint32_t>(kContainerEntryName.size()));
    out += kContainerEntryName;
    appendU32(out, static_cast<std::uint32_t>(plain.size()));

    const std::size_t headerSize = out.size();
    uLongf compressedSize = compressBound(static_cast<uLong>(plain.size()));
    out.resize(headerSize + compressedSize);
    int rc = compress2(reinterpret_cast<Bytef*>(out.data() + headerSize), &compressedSize,
                       reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()),
                       Z_DEFAULT_COMPRESSION);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK) throw std::logic_error("zlib compress2 failed");  // a buffer of compressBound cannot overflow
    out.resize(headerSize + compressedSize);
    return out;
}

std::string unpackContainer(std::string_view container, const std::string& fileNameForErrors, std::size_t largest) {
    auto fail = [&](std::size_t position, const std::string& what) -> void {
        throw data::FormatError(fileNameForErrors, static_cast<long long>(position),
                                "Damaged data container at byte " + std::to_string(position) + ": " + what);
    };

    if (container.size() < 8) fail(container.size(), "header cut short");
    const std::size_t nameLength = std::min<std::size_t>(readU32(container, 4), kContainerMaxNameLength);
    const std::size_t sizeAt = 8 + nameLength;
    if (container.size() < sizeAt + 4) fail(container.size(), "header cut short");
    const std::uint32_t plainSize = readU32(container, sizeAt);
    const std::size_t streamAt = sizeAt + 4;
    if (plainSize > largest) {
        data::FormatError tooLarge(fileNameForErrors, static_cast<long long>(sizeAt),
                                   "The container claims " + std::to_string(plainSize) +
                                       " bytes, more than the " + std::to_string(largest) + " its reader takes");
        tooLarge.locate(fileNameForErrors, std::string(kPlainSizeField));
        throw tooLarge;
    }

    // Inflate exactly plain-size bytes; the output grows as data arrives, so
    // a damaged size field cannot demand a huge buffer up front.
    Inflater inflater(container.substr(streamAt));
    std::string plain;
    int rc = Z_OK;
    while (plain.size() < plainSize && rc == Z_OK) {
        const std::size_t before = plain.size();
        const std::size_t chunk = std::min<std::size_t>(plainSize - before, kInflateChunk);
        plain.resize(before + chunk);
        rc = inflater.run(plain.data() + before, chunk);
        plain.resize(before + inflater.produced(chunk));
    }
    if (rc == Z_STREAM_END && plain.size() < plainSize) {
        fail(streamAt + inflater.consumed(), "the compressed data end before the size in the header");
    }
    // Run the stream to its end so that its checksum is verified too. A
    // stream that holds more than plain size is refused rather than cut: a
    // package holds a few kilobytes, so a size that disagrees with the stream
    // means damage, and cutting would skip the checksum.
    char spill[64];
    while (rc == Z_OK) {
        rc = inflater.run(spill, sizeof spill);
        if ((rc == Z_OK || rc == Z_STREAM_END) && inflater.produced(sizeof spill) > 0) {
            fail(streamAt + inflater.consumed(), "the compressed data are longer than the size in the header");
        }
    }
    if (rc == Z_BUF_ERROR) fail(streamAt + inflater.consumed(), "the compressed data are cut short");
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_STREAM_END) fail(streamAt + inflater.consumed(), inflater.message());
    return plain;
}

}  // namespace talmorek::exporting

#include "core/data/record_layout.h"

#include <algorithm>

#include "core/data/cp1250.h"

namespace talmorek::data {

std::string getStrRaw(std::string_view record, const FieldLayout& field) {
    std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(record[field.offset]), field.capacity);
    return std::string(record.substr(field.offset + 1, length));
}

std::string getStr(std::string_view record, const FieldLayout& field) {
    return cp1250ToUtf8(getStrRaw(record, field));
}

void putStrRaw(RecordBytes& record, const FieldLayout& field, std::string_view cp1250) {
    std::size_t length = std::min(cp1250.size(), field.capacity);
    record[field.offset] = static_cast<char>(length);
    std::copy_n(cp1250.begin(), length, record.begin() + static_cast<std::ptrdiff_t>(field.offset + 1));
}

void putStr(RecordBytes& record, const FieldLayout& field, std::string_view utf8) {
    putStrRaw(record, field, utf8ToCp1250(utf8));
}

void putInt32(RecordBytes& record, const FieldLayout& field, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) record[field.offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace talmorek::data

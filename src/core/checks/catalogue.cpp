#include "core/checks/catalogue.h"

#include <array>

#include "core/data/directories.h"
#include "core/data/errors.h"
#include "core/data/record_fields.h"
#include "core/data/record_file.h"

namespace talmorek::checks {

namespace cischyb {
namespace {
constexpr data::FieldLayout kChyba = data::intField("Chyba", 0);
constexpr data::FieldLayout kTypChyby = data::strField("TypChyby", 4, 1);
constexpr data::FieldLayout kZkrText = data::strField("ZkrText", 6, 65);
// Every field with the member that holds it, in record order.
constexpr std::array kFields = {
    data::bound(kChyba, &TChybaInfo::Chyba),
    data::bound(kTypChyby, &TChybaInfo::TypChyby),
    data::bound(kZkrText, &TChybaInfo::ZkrText),
};
constexpr auto kLayouts = data::layoutsOf(kFields);
static_assert(data::bindsByKind(kFields));
static_assert(data::isPacked(kLayouts, kRecordSize));
}  // namespace
const data::RecordLayout kLayout{"CISCHYB.RCD", kRecordSize, kLayouts};
}  // namespace cischyb

TChybaInfo decodeChybaInfo(std::string_view r) { return data::decodeRecord<TChybaInfo>(r, cischyb::kFields); }

data::RecordBytes encodeChybaInfo(const TChybaInfo& info) {
    return data::encodeRecord(info, cischyb::kFields, cischyb::kRecordSize);
}

namespace {

// A record the installation wrote: a code of the checks (1..99) and texts
// no longer than their fields. Random bytes (a damaged or foreign file)
// fail one of them at once, and would otherwise turn every message into
// "Chyba nenalezena" without saying why.
void checkChybaInfo(std::string_view r, const std::string& file, long long record) {
    const std::int32_t code = data::getInt32(r, cischyb::kChyba);
    if (code < 1 || code > 99)
        throw data::FieldValueError(std::to_string(code), std::string(cischyb::kChyba.name), file, record);
    for (const data::FieldLayout& text : {cischyb::kTypChyby, cischyb::kZkrText}) {
        const auto length = static_cast<unsigned char>(r[text.offset]);
        if (length > text.capacity) {
            data::FormatError tooLong(file, record, "text longer than its field", data::FormatError::Unit::Record);
            tooLong.locate(file, text.name);
            throw tooLong;
        }
    }
}

}  // namespace

TCisChyb::TCisChyb(const std::string& programDir) {
    auto file = data::RecordFile::openExisting(data::resolveFile(programDir, cischyb::kLayout.name),
                                               cischyb::kRecordSize);
    while (!file.atEnd()) {
        const auto at = static_cast<long long>(file.position());
        const std::string_view r = file.readView();
        checkChybaInfo(r, file.path(), at);
        entries_.push_back(decodeChybaInfo(r));
    }
    file.close();
    // Without a text for any code, every message the checks give would read
    // "Chyba nenalezena".
    if (entries_.empty()) throw data::EmptyFileError(file.path());
}

TChybaInfo TCisChyb::NajdiChybu(std::int32_t iChyba) const {
    for (const auto& e : entries_) {
        if (e.Chyba == iChyba) return e;
    }
    return NenalezenaChyba;
}

}  // namespace talmorek::checks

#include "checks/catalogue.h"

#include <array>

#include "data/directories.h"
#include "data/record_file.h"

namespace talmorek::checks {

namespace cischyb {
namespace {
constexpr data::FieldLayout kChyba = data::intField("Chyba", 0);
constexpr data::FieldLayout kTypChyby = data::strField("TypChyby", 4, 1);
constexpr data::FieldLayout kZkrText = data::strField("ZkrText", 6, 65);
constexpr std::array kFields = {kChyba, kTypChyby, kZkrText};
static_assert(data::isConsistent(kFields, kRecordSize) && kZkrText.end() == kRecordSize);
}  // namespace
const data::RecordLayout kLayout{"CISCHYB.RCD", kRecordSize, kFields};
}  // namespace cischyb

TChybaInfo decodeChybaInfo(std::string_view r) {
    return {data::getInt32(r, cischyb::kChyba), data::getStr(r, cischyb::kTypChyby),
            data::getStr(r, cischyb::kZkrText)};
}

data::RecordBytes encodeChybaInfo(const TChybaInfo& info) {
    data::RecordBytes r(cischyb::kRecordSize, '\0');
    data::putInt32(r, cischyb::kChyba, info.Chyba);
    data::putStr(r, cischyb::kTypChyby, info.TypChyby);
    data::putStr(r, cischyb::kZkrText, info.ZkrText);
    return r;
}

TCisChyb::TCisChyb(const std::string& programDir) {
    auto file = data::RecordFile::openExisting(data::resolveFile(programDir, cischyb::kLayout.name),
                                               cischyb::kRecordSize);
    while (!file.atEnd()) entries_.push_back(decodeChybaInfo(file.readView()));
    file.close();
}

TChybaInfo TCisChyb::NajdiChybu(std::int32_t iChyba) const {
    for (const auto& e : entries_) {
        if (e.Chyba == iChyba) return e;
    }
    return NenalezenaChyba;
}

}  // namespace talmorek::checks

#include "core/data/station.h"

#include <array>

#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/data/errors.h"
#include "core/data/directories.h"
#include "core/data/file_io.h"
#include "core/data/record_fields.h"
#include "core/data/record_file.h"

namespace talmorek::data {
namespace stanice {
namespace f {
constexpr FieldLayout Oznaceni = strField("Oznaceni", 0, 2);
constexpr FieldLayout KodUzemi = strField("KodUzemi", 3, 3);
constexpr FieldLayout NazevObce = strField("NazevObce", 7, 40);
constexpr FieldLayout KodObce = strField("KodObce", 48, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 56);
constexpr FieldLayout KodOkresu = strField("KodOkresu", 60, 4);
constexpr FieldLayout NazevOkresu = strField("NazevOkresu", 65, 25);
constexpr FieldLayout CisloKraje = strField("CisloKraje", 91, 2);
constexpr FieldLayout KodKraje = strField("KodKraje", 94, 4);
constexpr FieldLayout NazevKraje = strField("NazevKraje", 99, 20);
constexpr FieldLayout Pripona = strField("Pripona", 248, 3);
constexpr FieldLayout KodOS = strField("KodOS", 252, 2);
constexpr FieldLayout Stav = strField("Stav", 255, 1);
}  // namespace f

// Every field with the member that holds it; the reserved area between
// `NazevKraje` and `Pripona` is no field and is carried through as bytes.
constexpr std::array kFields = {
    bound(f::Oznaceni, &TStanice::Oznaceni),
    bound(f::KodUzemi, &TStanice::KodUzemi),
    bound(f::NazevObce, &TStanice::NazevObce),
    bound(f::KodObce, &TStanice::KodObce),
    bound(f::CisloOkrsku, &TStanice::CisloOkrsku),
    bound(f::KodOkresu, &TStanice::KodOkresu),
    bound(f::NazevOkresu, &TStanice::NazevOkresu),
    bound(f::CisloKraje, &TStanice::CisloKraje),
    bound(f::KodKraje, &TStanice::KodKraje),
    bound(f::NazevKraje, &TStanice::NazevKraje),
    bound(f::Pripona, &TStanice::Pripona),
    bound(f::KodOS, &TStanice::KodOS),
    bound(f::Stav, &TStanice::Stav),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isConsistent(kLayouts, kRecordSize));
static_assert(f::NazevKraje.end() == kReservedOffset && kReservedOffset + kReservedSize == f::Pripona.offset);
static_assert(f::Stav.end() + 3 == kRecordSize);

const RecordLayout kLayout{"STANICE.RCD", kRecordSize, kLayouts};
}  // namespace stanice

using namespace stanice;

TStanice decodeStanice(std::string_view r) {
    TStanice s = decodeRecord<TStanice>(r, kFields);
    s.reserved = std::string(r.substr(kReservedOffset, kReservedSize));
    return s;
}

RecordBytes encodeStanice(const TStanice& station, RecordBytes r) {
    r.resize(kRecordSize, '\0');
    encodeFields(r, kFields, station);
    std::string reserved = station.reserved;
    reserved.resize(kReservedSize, '\0');
    r.replace(kReservedOffset, kReservedSize, reserved);
    return r;
}

namespace {
std::string stationFile(const std::string& stationDir) { return resolveFile(stationDir, kLayout.name); }

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A code written as decimal digits, `least`..`most` of them. Text that is
// no number at all is told as such (ConversionError); a number written
// otherwise (signed, blank-padded, too long) is a value the field may not hold.
void checkDigits(const std::string& text, const FieldLayout& field, std::size_t least, std::size_t most,
                 const std::string& file) {
    toIntStrict(text, {file, field.name});
    if (!allDigits(text) || text.size() < least || text.size() > most)
        throw FieldValueError(text, std::string(field.name), file);
}

// What every reader of the station relies on: the municipality code and the
// precinct number name the data files and go into every block of the
// results. A record damaged in either (random bytes, a code that is no
// number) is refused here, by its field, instead of being saved under a
// wrong name. The other fields are checked where they are used, so that a
// station whose record is damaged elsewhere still starts and works: the
// region number is only shown and printed, the operating-system code fails
// (by its field) only when it is converted into the summary, and a status
// letter other than "A" counts as not exported.
void checkStanice(const TStanice& s, const std::string& file) {
    checkDigits(s.KodObce, f::KodObce, 6, 6, file);
    if (s.CisloOkrsku < 1 || s.CisloOkrsku > 99999)
        throw FieldValueError(std::to_string(s.CisloOkrsku), std::string(f::CisloOkrsku.name), file);
}
}  // namespace

TStanice NactiStanici(const std::string& stationDir, FileSystem& fs) {
    auto file = RecordFile::openExisting(stationFile(stationDir), kRecordSize, fs);
    TStanice s = decodeStanice(file.read());
    s.sourceFile = file.path();
    file.close();
    checkStanice(s, s.sourceFile);
    return s;
}

void ZapisStavStanice(const std::string& stationDir, std::string_view letter, TStanice& shared, FileSystem& fs) {
    const std::string path = stationFile(stationDir);
    // Re-read first, so that the shared copy mirrors the file whether or not
    // the write below succeeds; opening asks for write access, so a
    // write-protected station record is refused like every other record file.
    auto file = RecordFile::openExisting(path, kRecordSize, fs);
    shared = decodeStanice(file.read());
    shared.sourceFile = path;
    file.close();
    std::string whole = readWholeFile(path, fs);
    RecordBytes patched = whole.substr(0, kRecordSize);
    putStr(patched, f::Stav, letter);
    whole.replace(0, kRecordSize, patched);
    replaceFileAtomically(path, whole, fs);
    // The shared copy is what the file now holds: the letter cut to one
    // character and through code page 1250, exactly as the next read gives it.
    shared = decodeStanice(patched);
    shared.sourceFile = path;
}

bool isSpecialPrecinct(const TStanice& station) { return station.KodObce == kKodZvlastnihoOkrsku; }

std::string precinctFiveDigits(std::int32_t cisloOkrsku) {
    return std::to_string(static_cast<long long>(cisloOkrsku) + 100000).substr(1);
}

std::string electionDates(const TStanice& station) {
    if (isSpecialPrecinct(station) && station.CisloOkrsku >= 83 && station.CisloOkrsku <= 96) return "07.10. - 08.10.2021";
    return "08.10. - 09.10.2021";
}

std::string reservedText(const TStanice& station) {
    constexpr std::size_t at = kReservedTextOffset - kReservedOffset;
    constexpr std::size_t room = kReservedSize - at - 1;
    std::size_t length = static_cast<unsigned char>(station.reserved[at]);
    if (length > room) length = room;
    return cp1250ToUtf8(std::string_view(station.reserved).substr(at + 1, length));
}

}  // namespace talmorek::data

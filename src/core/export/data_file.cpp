#include "export/data_file.h"

#include <cstdio>

#include "data/cp1250.h"
#include "data/decimal.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/station.h"
#include "export/package.h"

namespace talmorek::exporting {
namespace {

class LineWriter {
public:
    // A number wider than its field would shift every later field of the
    // line and make the whole file unreadable, for this program and for the
    // receiving office alike; such a record is refused before anything is
    // written.
    void number(std::int64_t value, std::size_t width, const char* field) {
        std::string s = std::to_string(value);
        if (s.size() > width) throw data::FieldWidthError(field, value, static_cast<int>(width));
        line_.append(width - s.size(), ' ');
        line_ += s;
    }
    void text(std::string_view utf8, std::size_t width) {
        std::string s = data::utf8ToCp1250(utf8).substr(0, width);
        line_ += s;
        line_.append(width - s.size(), ' ');
    }
    std::string take() { return std::move(line_); }

private:
    std::string line_;
};

class LineReader {
public:
    LineReader(std::string_view line, const std::string& file) : line_(line), file_(file) {}
    void start(std::size_t blockStart, std::size_t length, const char* block) {
        if (line_.size() < blockStart + length)
            throw data::FormatError(file_, static_cast<long long>(line_.size()),
                                    std::string("The line ends inside the ") + block + " block");
        base_ = blockStart;
    }
    // Positions are 1-based within the current block.
    std::int64_t number(std::size_t pos, std::size_t width, const char* field) {
        std::string_view text = line_.substr(base_ + pos - 1, width);
        auto value = data::parseDecimal64(text);
        if (!value)
            throw data::ConversionError(std::string(text), std::string("Field ") + field + " of " + file_ + ": '" +
                                                               std::string(text) + "' is not a number");
        return *value;
    }
    std::string text(std::size_t pos, std::size_t width) {
        return data::cp1250ToUtf8(line_.substr(base_ + pos - 1, width));
    }

private:
    std::string_view line_;
    const std::string& file_;
    std::size_t base_ = 0;
};

template <typename T>
T as(std::int64_t v) {
    return static_cast<T>(v);
}

void writeHeader(LineWriter& w, std::uint16_t typ, std::uint16_t oprava, std::uint16_t chyba, std::uint16_t regKod,
                 std::int32_t obec, std::int32_t okrsek, std::uint16_t kc1) {
    w.number(typ, 1, "Typ");
    w.number(oprava, 1, "Oprava");
    w.number(chyba, 1, "Chyba");
    w.number(regKod, 4, "RegKod");
    w.number(obec, 6, "Obec");
    w.number(okrsek, 5, "Okrsek");
    w.number(kc1, 1, "KC1");
}

template <typename Rec>
void readHeader(LineReader& r, Rec& rec) {
    rec.Typ = as<std::uint16_t>(r.number(1, 1, "Typ"));
    rec.Oprava = as<std::uint16_t>(r.number(2, 1, "Oprava"));
    rec.Chyba = as<std::uint16_t>(r.number(3, 1, "Chyba"));
    rec.RegKod = as<std::uint16_t>(r.number(4, 4, "RegKod"));
    rec.Obec = as<std::int32_t>(r.number(8, 6, "Obec"));
    rec.Okrsek = as<std::int32_t>(r.number(14, 5, "Okrsek"));
    rec.KC1 = as<std::uint16_t>(r.number(19, 1, "KC1"));
}

std::string pathOf(const std::string& dataDir, std::string_view letter, std::string_view kodObce, std::int32_t okrsek) {
    return dataDir + dataFileName(letter, kodObce, okrsek);
}

}  // namespace

std::string dataFileName(std::string_view letter, std::string_view kodObce, std::int32_t cisloOkrsku) {
    return std::string(letter) + "P" + std::string(kodObce) + "." + data::precinctFiveDigits(cisloOkrsku);
}

std::string resultsLine(const entry::RecordOfVote& r) {
    LineWriter w;
    const auto& t4 = r.T4;
    writeHeader(w, t4.Typ, t4.Oprava, t4.Chyba, t4.RegKod, t4.Obec, t4.Okrsek, t4.KC1);
    w.number(t4.ZapsOsoby, 5, "ZapsOsoby");
    w.number(t4.VydObalky, 5, "VydObalky");
    w.number(t4.OdevzdObalky, 5, "OdevzdObalky");
    w.number(t4.PlatneHlasy, 5, "PlatneHlasy");
    w.number(t4.KC2, 6, "KC2");
    w.text(t4.ZakrStrany, 60);
    for (int n = 1; n <= entry::kFlagPositions; ++n) {
        if (!r.isFlagged(n)) continue;
        const auto& p = r.party(n);
        writeHeader(w, p.Typ, p.Oprava, p.Chyba, p.RegKod, p.Obec, p.Okrsek, p.KC1);
        w.number(p.KStrana, 2, "KStrana");
        w.number(p.PocHlasu, 5, "PocHlasu");
        w.number(p.KC2, 6, "KC2");
        for (auto v : p.PrefHlasy) w.number(v, 5, "PrefHlasy");
        w.number(p.KC3, 8, "KC3");
        w.number(p.KC4, 8, "KC4");
        w.number(p.PoslKand, 2, "PoslKand");
        w.number(p.KSoucet, 9, "KSoucet");
    }
    const auto& ts = r.TS;
    writeHeader(w, ts.Typ, ts.Oprava, ts.Chyba, ts.RegKod, ts.Obec, ts.Okrsek, ts.KC1);
    w.text(ts.SeznamChyb, 50);
    w.text(ts.Datum, 8);
    w.text(ts.Cas, 6);
    w.number(ts.Rezerva, 10, "Rezerva");
    w.number(ts.ZpusobPorizeni, 1, "ZpusobPorizeni");
    w.number(ts.KodOS, 2, "KodOS");
    w.text(ts.RezervaA1, 1);
    w.number(ts.RezervaA2, 2, "RezervaA2");
    w.text(ts.RezervaA3, 15);
    w.text(ts.RezervaA4, 8);
    w.text(ts.RezervaA5, 6);
    w.number(ts.RezervaA6, 10, "RezervaA6");
    w.number(ts.RezervaB1, 2, "RezervaB1");
    w.text(ts.RezervaB2, 15);
    w.text(ts.RezervaB3, 8);
    w.text(ts.RezervaB4, 6);
    w.number(ts.RezervaB5, 10, "RezervaB5");
    w.number(ts.SumaKC1, 3, "SumaKC1");
    w.number(ts.SumaKC2, 8, "SumaKC2");
    w.number(ts.SumaKC3, 10, "SumaKC3");
    w.number(ts.SumaKC4, 10, "SumaKC4");
    w.number(ts.Nahoda, 6, "Nahoda");
    w.number(ts.RezervaC1, 6, "RezervaC1");
    w.number(ts.RezervaC2, 6, "RezervaC2");
    w.number(ts.SumaKSoucet, 11, "SumaKSoucet");
    w.number(ts.Celkem, 12, "Celkem");
    w.number(ts.RezervaD1, 12, "RezervaD1");
    w.number(ts.RezervaD2, 13, "RezervaD2");
    return w.take();
}

void parseResultsLine(std::string_view line, entry::RecordOfVote& rec, const std::string& file) {
    rec.ClearResults();
    LineReader r(line, file);
    r.start(0, kT4BlockLength, "T4");
    auto& t4 = rec.T4;
    readHeader(r, t4);
    t4.ZapsOsoby = as<std::int32_t>(r.number(20, 5, "ZapsOsoby"));
    t4.VydObalky = as<std::uint16_t>(r.number(25, 5, "VydObalky"));
    t4.OdevzdObalky = as<std::uint16_t>(r.number(30, 5, "OdevzdObalky"));
    t4.PlatneHlasy = as<std::uint16_t>(r.number(35, 5, "PlatneHlasy"));
    t4.KC2 = as<std::int32_t>(r.number(40, 6, "KC2"));
    t4.ZakrStrany = r.text(46, 60);
    std::size_t p = kT4BlockLength;
    for (int n = 1; n <= entry::kFlagPositions; ++n) {
        if (!rec.isFlagged(n)) continue;
        r.start(p, kT4PBlockLength, "T4P");
        auto& t4p = rec.party(n);
        readHeader(r, t4p);
        t4p.KStrana = as<std::uint16_t>(r.number(20, 2, "KStrana"));
        t4p.PocHlasu = as<std::uint16_t>(r.number(22, 5, "PocHlasu"));
        t4p.KC2 = as<std::int32_t>(r.number(27, 6, "KC2"));
        for (std::size_t j = 0; j < t4p.PrefHlasy.size(); ++j)
            t4p.PrefHlasy[j] = as<std::uint16_t>(r.number(33 + 5 * j, 5, "PrefHlasy"));
        t4p.KC3 = as<std::int32_t>(r.number(213, 8, "KC3"));
        t4p.KC4 = as<std::int32_t>(r.number(221, 8, "KC4"));
        t4p.PoslKand = as<std::uint16_t>(r.number(229, 2, "PoslKand"));
        t4p.KSoucet = as<std::int32_t>(r.number(231, 9, "KSoucet"));
        p += kT4PBlockLength;
    }
    r.start(p, kTSBlockLength, "TS");
    auto& ts = rec.TS;
    readHeader(r, ts);
    ts.SeznamChyb = r.text(20, 50);
    ts.Datum = r.text(70, 8);
    ts.Cas = r.text(78, 6);
    ts.Rezerva = r.number(84, 10, "Rezerva");
    ts.ZpusobPorizeni = as<std::uint16_t>(r.number(94, 1, "ZpusobPorizeni"));
    ts.KodOS = as<std::uint16_t>(r.number(95, 2, "KodOS"));
    ts.RezervaA1 = r.text(97, 1);
    ts.RezervaA2 = as<std::uint16_t>(r.number(98, 2, "RezervaA2"));
    ts.RezervaA3 = r.text(100, 15);
    ts.RezervaA4 = r.text(115, 8);
    ts.RezervaA5 = r.text(123, 6);
    ts.RezervaA6 = r.number(129, 10, "RezervaA6");
    ts.RezervaB1 = as<std::uint16_t>(r.number(139, 2, "RezervaB1"));
    ts.RezervaB2 = r.text(141, 15);
    ts.RezervaB3 = r.text(156, 8);
    ts.RezervaB4 = r.text(164, 6);
    ts.RezervaB5 = r.number(170, 10, "RezervaB5");
    ts.SumaKC1 = r.number(180, 3, "SumaKC1");
    ts.SumaKC2 = r.number(183, 8, "SumaKC2");
    ts.SumaKC3 = r.number(191, 10, "SumaKC3");
    ts.SumaKC4 = r.number(201, 10, "SumaKC4");
    ts.Nahoda = as<std::int32_t>(r.number(211, 6, "Nahoda"));
    ts.RezervaC1 = as<std::int32_t>(r.number(217, 6, "RezervaC1"));
    ts.RezervaC2 = as<std::int32_t>(r.number(223, 6, "RezervaC2"));
    ts.SumaKSoucet = r.number(229, 11, "SumaKSoucet");
    ts.Celkem = r.number(240, 12, "Celkem");
    ts.RezervaD1 = r.number(252, 12, "RezervaD1");
    ts.RezervaD2 = r.number(264, 13, "RezervaD2");
}

void ZapisData(const entry::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, std::string_view letter, data::FileSystem& fs) {
    const std::string target = pathOf(dataDir, letter, kodObce, cisloOkrsku);
    const bool replacing = data::fileExists(target, fs);
    // The whole package is made in memory and replaces the target in one
    // rename, so the previous data stay readable until the new are on disk.
    data::replaceFileAtomically(target, makePackage(resultsLine(r)), fs);
    // A first "O" file takes the place of the "E" file it supersedes.
    if (!replacing && letter != "E") data::removeFileIfExists(pathOf(dataDir, "E", kodObce, cisloOkrsku), fs);
}

bool NactiData(entry::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, std::string_view letter, data::FileSystem& fs) {
    r.ClearResults();
    const std::string source = pathOf(dataDir, letter, kodObce, cisloOkrsku);
    if (!data::fileExists(source, fs)) return false;
    std::string line = readPackage(data::readWholeFile(source, fs), source);
    entry::RecordOfVote parsed;
    parseResultsLine(line, parsed, source);
    r.T4 = parsed.T4;
    r.T4P = parsed.T4P;
    r.TS = parsed.TS;
    return true;
}

}  // namespace talmorek::exporting

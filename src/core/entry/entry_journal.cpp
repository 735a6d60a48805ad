// The journal of what was typed since the last save: its lines and its file.
#include "core/entry/entry_journal.h"

#include <zlib.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/export/sha256.h"

namespace talmorek::entry {
namespace {

constexpr std::string_view kMagic = "TALMOREK ZURNAL 1";

struct KindName {
    JournalKind kind;
    std::string_view name;
};
constexpr std::array<KindName, 5> kKinds{{
    {JournalKind::Field, "pole"},
    {JournalKind::Radio, "volba"},
    {JournalKind::Tick, "strana"},
    {JournalKind::Name, "jmeno"},
    {JournalKind::Party, "priloha"},
}};

std::string_view kindName(JournalKind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.name;
    return {};
}

std::optional<JournalKind> kindNamed(std::string_view name) {
    for (const KindName& k : kKinds)
        if (k.name == name) return k.kind;
    return std::nullopt;
}

std::string crcHex(std::string_view payload) {
    const uLong crc = ::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(payload.data()),
                              static_cast<uInt>(payload.size()));
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(crc & 0xffffffffUL));
    return hex;
}

std::string sealed(const std::string& payload) { return payload + "\t" + crcHex(payload) + "\n"; }

std::string escaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) return std::nullopt;
        switch (value[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            parts.push_back(line.substr(start));
            return parts;
        }
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

template <typename Number>
std::optional<Number> number(std::string_view text) {
    Number n{};
    if (text.empty()) return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

std::string timeText(const data::LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::optional<data::LocalDateTime> timeOf(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    const auto y = number<int>(text.substr(0, 4)), mo = number<int>(text.substr(5, 2)),
               d = number<int>(text.substr(8, 2)), h = number<int>(text.substr(11, 2)),
               mi = number<int>(text.substr(14, 2)), s = number<int>(text.substr(17, 2));
    if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
    return data::LocalDateTime{*y, *mo, *d, *h, *mi, *s, 0};
}

// The payload of a whole line whose CRC matches; nothing otherwise.
std::optional<std::string_view> payloadOf(std::string_view line) {
    const std::size_t tab = line.rfind('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    const std::string_view payload = line.substr(0, tab);
    if (line.substr(tab + 1) != crcHex(payload)) return std::nullopt;
    return payload;
}

std::optional<JournalHeader> headerOf(std::string_view payload) {
    const std::vector<std::string_view> parts = splitTabs(payload);
    if (parts.size() != 6 || parts[0] != kMagic) return std::nullopt;
    const std::optional<std::int32_t> okrsek = number<std::int32_t>(parts[2]);
    if (!okrsek) return std::nullopt;
    return JournalHeader{std::string(parts[1]), *okrsek,
                         {std::string(parts[3]), std::string(parts[4]), std::string(parts[5])}};
}

// An entry, or the name of what is wrong with it.
std::optional<JournalEntry> entryOf(std::string_view payload, std::string& wrong) {
    const std::vector<std::string_view> parts = splitTabs(payload);
    if (parts.size() != 8) {
        wrong = "počet údajů";
        return std::nullopt;
    }
    JournalEntry e;
    const auto seq = number<long long>(parts[0]);
    const auto time = timeOf(parts[1]);
    const auto page = number<int>(parts[2]);
    const auto kind = kindNamed(parts[3]);
    auto control = controlNamed(parts[4]);
    const auto index = number<int>(parts[5]);
    const auto party = number<int>(parts[6]);
    const auto value = unescaped(parts[7]);
    // The generated rows name their index; the grid's row stands alone.
    if (control && index && control->index != 0 && control->index != *index) control.reset();
    if (control && index) control->index = *index;
    if (!seq) wrong = "pořadí";
    else if (!time) wrong = "čas";
    else if (!page || *page < 0 || *page >= kEntryPageCount) wrong = "stránka";
    else if (!kind) wrong = "druh";
    else if (!control || !index || control->field == EntryField::None || control->field == EntryField::Other)
        wrong = "pole";
    else if (!party || *party < 0 || *party > record::kPartySlots) wrong = "strana";
    else if (!value) wrong = "hodnota";
    if (!wrong.empty()) return std::nullopt;
    e.seq = *seq;
    e.time = *time;
    e.page = static_cast<EntryPage>(*page);
    e.kind = *kind;
    e.control = *control;
    e.party = *party;
    e.value = *value;
    return e;
}

data::FormatError damaged(const std::string& file, std::size_t line, const std::string& what) {
    data::FormatError e(file, static_cast<long long>(line), "journal line " + std::to_string(line + 1) + ": " + what,
                        data::FormatError::Unit::Record);
    if (!what.empty()) e.locate(file, what, static_cast<long long>(line));
    return e;
}

}  // namespace

std::string encodeJournalHeader(const JournalHeader& h) {
    return sealed(std::string(kMagic) + "\t" + h.kodObce + "\t" + std::to_string(h.okrsek) + "\t" +
                  h.fingerprint.results + "\t" + h.fingerprint.course + "\t" + h.fingerprint.commission);
}

std::string encodeJournalEntry(const JournalEntry& e) {
    return sealed(std::to_string(e.seq) + "\t" + timeText(e.time) + "\t" + std::to_string(static_cast<int>(e.page)) +
                  "\t" + std::string(kindName(e.kind)) + "\t" + objectName(e.control) + "\t" +
                  std::to_string(e.control.index) + "\t" + std::to_string(e.party) + "\t" + escaped(e.value));
}

std::optional<JournalContent> decodeJournal(std::string_view bytes, const std::string& file) {
    // Whole lines, and what follows the last line break: a line cut short.
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = bytes.find('\n', start)) != std::string_view::npos; start = nl + 1)
        lines.push_back(bytes.substr(start, nl - start));
    const bool cutShort = start < bytes.size();
    if (lines.empty()) return std::nullopt;

    JournalContent content;
    const std::optional<std::string_view> first = payloadOf(lines[0]);
    if (!first) {
        // The first write brings the first line and the first entry at once;
        // if it stands alone and broken, that write never ended.
        if (lines.size() == 1 && !cutShort) return std::nullopt;
        throw damaged(file, 0, "hlavička");
    }
    const std::optional<JournalHeader> header = headerOf(*first);
    if (!header) throw damaged(file, 0, "hlavička");
    content.header = *header;
    content.tornTail = cutShort;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const bool last = i + 1 == lines.size() && !cutShort;
        const std::optional<std::string_view> payload = payloadOf(lines[i]);
        if (!payload) {
            if (last) {
                content.tornTail = true;
                break;
            }
            throw damaged(file, i, "kontrolní součet");
        }
        std::string wrong;
        std::optional<JournalEntry> entry = entryOf(*payload, wrong);
        if (!entry) throw damaged(file, i, wrong);
        if (entry->seq != static_cast<long long>(content.entries.size()) + 1) throw damaged(file, i, "pořadí");
        content.entries.push_back(std::move(*entry));
    }
    return content;
}

SavedFingerprint fingerprintOf(const record::RecordOfVote& r) {
    std::string results, course, commission;
    auto add = [](std::string& part, std::string_view name, const std::string& value) {
        part.append(name).append("=").append(escaped(value)).append("\n");
    };
    add(results, "ZapsOsoby", std::to_string(r.T4.ZapsOsoby));
    add(results, "VydObalky", std::to_string(r.T4.VydObalky));
    add(results, "OdevzdObalky", std::to_string(r.T4.OdevzdObalky));
    add(results, "PlatneHlasy", std::to_string(r.T4.PlatneHlasy));
    add(results, "ZakrStrany", r.T4.ZakrStrany);
    for (int n = 1; n <= record::kFlagPositions; ++n) {
        if (!r.isFlagged(n)) continue;
        const record::TT4P& p = r.party(n);
        std::string votes = std::to_string(p.PocHlasu);
        for (std::uint16_t v : p.PrefHlasy) votes += " " + std::to_string(v);
        add(results, "T4P" + std::to_string(n), votes);
    }
    for (const data::HlasovaniField& f : data::hlaso::kFields)
        if (f.member) add(course, f.layout.name, r.hlasovani.*f.member);
    for (const data::TKomise& member : r.komise) add(commission, "clen", member.clen);
    const auto hash = [](const std::string& part) { return exporting::toHex(exporting::sha256(part)); };
    return {hash(results), hash(course), hash(commission)};
}

// ---- The file ---------------------------------------------------------------

EntryJournal::EntryJournal(data::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

void EntryJournal::closeFile() {
    if (file_) file_->close();
    file_.reset();
    size_ = 0;
}

void EntryJournal::append(const JournalHeader& header, JournalEntry entry) {
    if (failed_ || held_) throw data::IoError(path_, 0, "the journal failed earlier");
    entry.seq = nextSeq_;
    std::string bytes;
    const bool creating = !file_;
    if (creating) {
        // Whatever is at the name is a journal emptied already (its removal
        // failed) or a link someone planted: it goes, never followed.
        mayExist_ = true;
        data::OpenResult opened = data::createTemporary(path_, files_);
        if (!opened.file) {
            failed_ = true;
            throw data::IoError(path_, opened.error, "cannot create the journal");
        }
        file_ = std::move(opened.file);
        size_ = 0;
        bytes = encodeJournalHeader(header);
    }
    bytes += encodeJournalEntry(entry);
    int error = file_->writeAt(size_, bytes);
    if (error == 0) error = file_->syncData();
    // A new name must survive a power cut as much as its content.
    if (error == 0 && creating) {
        const std::string dir = data::utf8Of(data::pathOf(path_).parent_path());
        error = files_.syncDirectory(dir.empty() ? "." : dir);
    }
    if (error != 0) {
        failed_ = true;
        closeFile();
        throw data::IoError(path_, error, "cannot append to the journal");
    }
    size_ += bytes.size();
    ++nextSeq_;
}

std::optional<JournalContent> EntryJournal::read() {
    if (files_.kindOf(path_) == data::PathKind::Nothing) {
        mayExist_ = false;
        return std::nullopt;
    }
    return decodeJournal(data::readWholeFile(path_, files_), path_);
}

void EntryJournal::rewrite(const JournalContent& content) {
    if (held_) throw data::IoError(path_, 0, "the journal is held");
    closeFile();
    std::string bytes = encodeJournalHeader(content.header);
    for (const JournalEntry& e : content.entries) bytes += encodeJournalEntry(e);
    // Until the new file stands, nothing may be appended after the old one.
    failed_ = true;
    mayExist_ = true;
    data::replaceFileAtomically(path_, bytes, files_);
    data::OpenResult opened = files_.open(path_, data::OpenMode::Update);
    if (!opened.file) {
        failed_ = true;
        throw data::IoError(path_, opened.error, "cannot open the journal");
    }
    file_ = std::move(opened.file);
    size_ = bytes.size();
    nextSeq_ = static_cast<long long>(content.entries.size()) + 1;
    failed_ = false;
}

void EntryJournal::clear() {
    if (held_) return;
    closeFile();
    nextSeq_ = 1;
    failed_ = false;
    if (!mayExist_) return;
    const int error = files_.remove(path_);
    if (error != 0 && error != ENOENT) throw data::IoError(path_, error, "cannot remove the journal");
    mayExist_ = false;
}

std::string EntryJournal::setAside() {
    if (held_) throw data::IoError(path_, 0, "the journal is held");
    closeFile();
    nextSeq_ = 1;
    failed_ = false;
    // An older journal set aside may still hold typing nobody looked at.
    std::string bad = path_ + ".bad";
    for (int n = 2; n <= 99 && files_.kindOf(bad) != data::PathKind::Nothing; ++n)
        bad = path_ + ".bad" + std::to_string(n);
    const int error = files_.rename(path_, bad);
    if (error != 0) throw data::IoError(bad, error, "cannot set the journal aside");
    mayExist_ = false;
    return bad;
}

}  // namespace talmorek::entry

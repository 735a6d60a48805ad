#include "tool/record_json.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "core/data/cp1250.h"
#include "core/data/working_files.h"
#include "core/export/results_fields.h"

namespace talmorek::tool {
namespace {

using Json = nlohmann::ordered_json;
using record::kCandidates;
using exporting::PreferenceCounts;
using exporting::ResultFieldKind;

[[noreturn]] void refuse(const std::string& message) { throw RecordJsonError(message); }

// The results block is walked through the field tables of the data file,
// the course of voting through the layout of HLASO.RCD: reader and writer
// take the same names in the same order, so what is written reads back.

template <typename Visitor, typename Block>
void visitResults(Visitor& v, Block& block) {
    exporting::forEachResultField(block, [&v](const auto& field, auto& value) { v.field(field, value); });
}

template <typename Visitor, typename H>
void visitHlasovani(Visitor& v, H& h) {
    for (const auto& field : data::hlaso::kFields)
        v.text(field.layout.name, h.*field.member, field.layout.capacity);
}

// Reads the fields of one JSON object into a record.
class Reader {
public:
    Reader(const Json& object, std::string where) : object_(object), where_(std::move(where)) {
        if (!object.is_object()) refuse("Blok " + where_ + " musí být objekt JSON.");
    }

    template <typename Field, std::integral T>
    void field(const Field& f, T& target) {
        if (const Json* value = take(f.name)) target = integer<T>(*value, pathOf(f.name));
    }
    template <typename Field>
    void field(const Field& f, std::string& target) {
        if (f.kind == ResultFieldKind::FullText)
            exactText(f.name, target, f.width);
        else
            text(f.name, target, f.width);
    }
    template <typename Field>
    void field(const Field& f, PreferenceCounts& target) {
        counts(f.name, target);
    }

    void text(std::string_view name, std::string& target, std::size_t capacity) {
        const Json* value = take(name);
        if (!value) return;
        std::string s = string(*value, pathOf(name));
        if (data::utf8Length(s) > capacity)
            refuse("Pole " + pathOf(name) + " smí mít nejvýše " + std::to_string(capacity) + " znaků.");
        // The files keep one byte per character: a character the code page
        // has no byte for would come back as "?".
        if (!data::cp1250Holds(s))
            refuse("Pole " + pathOf(name) + " obsahuje znak, který nelze uložit v kódování Windows-1250.");
        target = std::move(s);
    }

    // The party flags: exactly `length` characters, each "0" or "1".
    void exactText(std::string_view name, std::string& target, std::size_t length) {
        const Json* value = take(name);
        if (!value) return;
        std::string s = string(*value, pathOf(name));
        if (data::utf8Length(s) != length)
            refuse("Pole " + pathOf(name) + " musí mít přesně " + std::to_string(length) + " znaků.");
        if (const auto bad = s.find_first_not_of("01"); bad != std::string::npos)
            refuse("Pole " + pathOf(name) + " smí obsahovat jen znaky 0 a 1 (znak " +
                   std::to_string(data::utf8Length(std::string_view(s).substr(0, bad)) + 1) + ").");
        target = std::move(s);
    }

    void counts(std::string_view name, PreferenceCounts& target) {
        const Json* value = take(name);
        if (!value) return;
        const std::string path = pathOf(name);
        if (!value->is_array() || value->size() != static_cast<std::size_t>(kCandidates))
            refuse("Pole " + path + " musí být pole 36 celých čísel (kandidáti 1..36).");
        for (std::size_t i = 0; i < target.size(); ++i)
            target[i] = integer<std::uint16_t>((*value)[i], path + "[" + std::to_string(i + 1) + "]");
    }

    // Refuses every key that no field took.
    void finish() const {
        for (const auto& item : object_.items()) {
            if (!known_.count(item.key())) refuse("Neznámé pole " + pathOf(item.key()) + ".");
        }
    }

    template <typename T>
    static T integer(const Json& value, const std::string& path) {
        if (!value.is_number_integer()) refuse("Pole " + path + " musí být celé číslo.");
        constexpr auto lo = std::numeric_limits<T>::min();
        constexpr auto hi = std::numeric_limits<T>::max();
        const std::string range = " je mimo rozsah " + std::to_string(lo) + ".." + std::to_string(hi) + ".";
        if (value.is_number_unsigned()) {
            const auto v = value.get<std::uint64_t>();
            if (v > static_cast<std::uint64_t>(hi)) refuse("Hodnota pole " + path + " (" + std::to_string(v) + ")" + range);
            return static_cast<T>(v);
        }
        const auto v = value.get<std::int64_t>();
        if (v < static_cast<std::int64_t>(lo) || v > static_cast<std::int64_t>(hi))
            refuse("Hodnota pole " + path + " (" + std::to_string(v) + ")" + range);
        return static_cast<T>(v);
    }

    static std::string string(const Json& value, const std::string& path) {
        if (!value.is_string()) refuse("Pole " + path + " musí být text.");
        return value.get<std::string>();
    }

private:
    const Json* take(std::string_view name) {
        const std::string key(name);
        known_.insert(key);
        auto it = object_.find(key);
        return it == object_.end() ? nullptr : &*it;
    }
    std::string pathOf(std::string_view name) const { return where_ + "." + std::string(name); }

    const Json& object_;
    std::string where_;
    std::set<std::string> known_;
};

// Writes the fields of a record into one JSON object.
class Writer {
public:
    // Numbers, texts and the 36 preferential votes (a JSON array) alike.
    template <typename Field, typename T>
    void field(const Field& f, const T& value) {
        object[std::string(f.name)] = value;
    }
    void text(std::string_view name, const std::string& value, std::size_t) { object[std::string(name)] = value; }

    Json object = Json::object();
};

template <typename Record, typename Visit>
void read(const Json& json, const char* block, Record& target, Visit visit) {
    Reader reader(json, block);
    visit(reader, target);
    reader.finish();
}

template <typename Record, typename Visit>
Json write(const Record& source, Visit visit) {
    Writer writer;
    visit(writer, source);
    return writer.object;
}

// "7" → 7; the key of an annex is a party number 1..99 in plain digits.
int partyKey(const std::string& key) {
    const bool digits = !key.empty() && key.size() <= 2 && key[0] != '0' &&
                        key.find_first_not_of("0123456789") == std::string::npos;
    if (!digits)
        refuse("Klíč \"" + key + "\" v bloku T4P není číslo strany 1.." + std::to_string(record::kPartySlots) + ".");
    return std::stoi(key);
}

}  // namespace

record::RecordOfVote recordFromJson(const Json& json) {
    if (!json.is_object()) refuse("Záznam hlasování musí být objekt JSON.");
    record::RecordOfVote r;
    r.ClearResults();
    r.TS.Typ = 3;
    for (const auto& item : json.items()) {
        const std::string& key = item.key();
        const Json& value = item.value();
        if (key == "T4") {
            read(value, "T4", r.T4, [](auto& v, auto& t) { visitResults(v, t); });
        } else if (key == "TS") {
            read(value, "TS", r.TS, [](auto& v, auto& t) { visitResults(v, t); });
        } else if (key == "Hlasovani") {
            read(value, "Hlasovani", r.hlasovani, [](auto& v, auto& h) { visitHlasovani(v, h); });
        } else if (key == "T4P") {
            if (!value.is_object()) refuse("Blok T4P musí být objekt JSON s klíči podle čísel stran.");
            for (const auto& slot : value.items()) {
                const int n = partyKey(slot.key());
                record::TT4P& p = r.party(n);
                p.Typ = 2;
                read(slot.value(), ("T4P." + slot.key()).c_str(), p, [](auto& v, auto& t) { visitResults(v, t); });
            }
        } else if (key == "Komise") {
            if (!value.is_array()) refuse("Blok Komise musí být pole jmen.");
            if (value.size() > data::komise::kMaxEntries)
                refuse("Blok Komise smí mít nejvýše " + std::to_string(data::komise::kMaxEntries) + " jmen.");
            for (std::size_t i = 0; i < value.size(); ++i) {
                const std::string path = "Komise[" + std::to_string(i + 1) + "]";
                std::string name = Reader::string(value[i], path);
                if (data::utf8Length(name) > 50) refuse("Pole " + path + " smí mít nejvýše 50 znaků.");
                if (!data::cp1250Holds(name))
                    refuse("Pole " + path + " obsahuje znak, který nelze uložit v kódování Windows-1250.");
                r.komise.push_back({std::move(name)});
            }
        } else {
            refuse("Neznámý blok " + key + " (známé jsou T4, T4P, TS, Hlasovani a Komise).");
        }
    }
    return r;
}

record::RecordOfVote parseRecordJson(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        // Not only a syntax error: a number beyond every type (9e997) is
        // the library's out_of_range, and it is the file's fault all the same.
        refuse(std::string("Soubor záznamu není platný JSON: ") + e.what());
    }
    try {
        return recordFromJson(json);
    } catch (const nlohmann::json::exception& e) {
        refuse(std::string("Soubor záznamu nelze přečíst: ") + e.what());
    }
}

Json recordToJson(const record::RecordOfVote& r) {
    Json json = Json::object();
    json["T4"] = write(r.T4, [](auto& v, const auto& t) { visitResults(v, t); });
    Json annexes = Json::object();
    for (int n = 1; n <= record::kPartySlots; ++n) {
        if (!r.isFlagged(n) && r.party(n) == record::TT4P{}) continue;
        annexes[std::to_string(n)] = write(r.party(n), [](auto& v, const auto& t) { visitResults(v, t); });
    }
    json["T4P"] = std::move(annexes);
    json["TS"] = write(r.TS, [](auto& v, const auto& t) { visitResults(v, t); });
    json["Hlasovani"] = write(r.hlasovani, [](auto& v, const auto& h) { visitHlasovani(v, h); });
    json["Komise"] = Json::array();
    for (const auto& member : r.komise) json["Komise"].push_back(member.clen);
    return json;
}

}  // namespace talmorek::tool

#include "tool/demo_installation.h"

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/checks/catalogue.h"
#include "core/checks/catalogue_texts.h"
#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "tool/station_layout.h"

namespace talmorek::tool {
namespace {

using namespace talmorek::data;

struct Municipality {
    const char* kod;
    const char* nazev;
    int od, po;
    const char* kodOkresu;
    const char* nazevOkresu;
    const char* kodKraje;
    const char* cisloKraje;
    const char* nazevKraje;
};

// Real municipality and district codes; the special precincts abroad share
// the code 999997.
constexpr Municipality kMunicipalities[] = {
    {"554782", "Praha", 1, 1150, "3100", "Hlavní město Praha", "3018", "1", "Hlavní město Praha"},
    {"532053", "Kladno", 1, 56, "3203", "Kladno", "3026", "2", "Středočeský"},
    {"582786", "Brno", 1, 320, "3702", "Brno-město", "3115", "11", "Jihomoravský"},
    {"554821", "Ostrava", 1, 280, "3807", "Ostrava-město", "3140", "12", "Moravskoslezský"},
    {"555134", "Pardubice", 1, 80, "3606", "Pardubice", "3085", "8", "Pardubický"},
    {"531723", "Hořovice", 1, 6, "3202", "Beroun", "3026", "2", "Středočeský"},
    {"999997", "Zvláštní okrsky v zahraničí", 1, 120, "9999", "Zahraničí", "", "", ""},
};

struct SpecialPrecinct {
    int cislo;
    const char* nazev1;
    const char* nazev2;
};

constexpr SpecialPrecinct kSpecialPrecincts[] = {
    {12, "Bratislava", "Slovenská republika"}, {40, "Paříž", "Francouzská republika"},
    {83, "Canberra", "Austrálie"},             {90, "Washington", "Spojené státy americké"},
    {95, "Tokio", "Japonsko"},                 {101, "Vídeň", "Rakouská republika"},
};

constexpr const char* kPartyNames[22] = {
    "Strana zelených luk",        "Občanská aliance práce",      "Unie pro venkov",
    "Hnutí nezávislých měst",     "Sdružení pro moderní stát",   "Demokratická levice",
    "Konzervativní obroda",       "Strana poctivé politiky",     "Aliance pro vzdělání",
    "Spolek svobodných voličů",   "Moravská občanská strana",    "Hnutí za čistou vodu",
    "Lidová strana regionů",      "Pirátská koalice svobody",    "Strana zdravého rozumu",
    "Národní demokratická unie",  "Hnutí mladých rodin",         "Strana soběstačných obcí",
    "Koalice pro spravedlnost",   "Sociálně liberální strana",   "Hnutí Česko v pohybu",
    "Strana rovných příležitostí",
};

// Candidate counts: several full lists of 36, others shorter.
constexpr int kCandidateCounts[22] = {36, 36, 24, 36, 20, 36, 15, 36, 30, 12, 36,
                                      28, 36, 36, 18, 36, 10, 36, 25, 36, 8, 36};

constexpr const char* kFirstNames[] = {"Jan",   "Petr",  "Jana",  "Marie", "Tomáš", "Eva",
                                       "Pavel", "Lucie", "Jiří",  "Hana",  "Martin", "Věra",
                                       "Ondřej", "Zuzana", "Karel", "Alena", "Lukáš"};
constexpr const char* kSurnames[] = {"Novák",   "Svoboda", "Dvořák",  "Černý",   "Procházka", "Kučera",
                                     "Veselý",  "Horák",   "Němec",   "Marek",   "Pokorný",   "Král",
                                     "Růžička", "Beneš",   "Fiala",   "Sedláček", "Doležal",  "Zeman",
                                     "Kolář",   "Navrátil", "Čermák", "Urban",   "Vaněk",     "Blažek"};
constexpr const char* kTitles[] = {"", "", "Ing.", "", "Mgr.", "", "", "MUDr.", "", "Bc.", "", "doc. Ing."};

bool feminine(std::string_view firstName) { return firstName.back() == 'a' || firstName.back() == 'e'; }

std::string surnameFor(std::string_view surname, std::string_view firstName) {
    if (!feminine(firstName)) return std::string(surname);
    std::string s(surname);
    if (s.size() >= 2 && s.substr(s.size() - 2) == "ý") return s.substr(0, s.size() - 2) + "á";
    if (s.size() >= 1 && s.back() == 'a') return s.substr(0, s.size() - 1) + "ová";
    if (s.size() >= 2 && s.substr(s.size() - 2) == "ek") return s.substr(0, s.size() - 2) + "ková";
    return s + "ová";
}

std::string concat(const std::vector<RecordBytes>& records) {
    std::string bytes;
    for (const auto& r : records) bytes += r;
    return bytes;
}

std::vector<std::pair<std::string, std::string>> demoRegisters() {
    std::vector<RecordBytes> okrsky;
    for (const auto& m : kMunicipalities)
        okrsky.push_back(encodeOkrsky({m.kod, m.nazev, std::to_string(m.od), std::to_string(m.po), m.kodOkresu,
                                       m.nazevOkresu}));

    std::vector<RecordBytes> psrzvo;
    for (const auto& z : kSpecialPrecincts) psrzvo.push_back(encodePsrzvo({"999997", z.cislo, z.nazev1, z.nazev2}));

    // Reference voters for the first precincts of each municipality.
    std::vector<RecordBytes> psrvok;
    int seed = 0;
    for (const auto& m : kMunicipalities) {
        if (std::string_view(m.kod) == "999997") continue;
        for (int okrsek = m.od; okrsek <= std::min(m.po, m.od + 9); ++okrsek)
            psrvok.push_back(encodePsrvok({m.kod, okrsek, 600 + (seed++ * 137) % 900}));
    }
    for (const auto& z : kSpecialPrecincts) psrvok.push_back(encodePsrvok({"999997", z.cislo, 150 + z.cislo * 3}));

    std::vector<RecordBytes> strany, kandidati;
    for (int party = 1; party <= 22; ++party) {
        int count = kCandidateCounts[party - 1];
        strany.push_back(encodeStrana({std::to_string(party), kPartyNames[party - 1], std::to_string(count)}));
        for (int order = 1; order <= count; ++order) {
            int k = party * 37 + order;
            std::string first = kFirstNames[k % std::size(kFirstNames)];
            std::string title = kTitles[(k / 3) % std::size(kTitles)];
            std::string jmeno1 = title.empty() ? first : title + " " + first;
            std::string jmeno2 = surnameFor(kSurnames[(k * 7) % std::size(kSurnames)], first);
            // A few candidates withdrew ("N": no preferential votes) or are
            // marked "1"; both carry the mark N on the tally sheet.
            std::string priznak = (party == 4 && order == 3) || (party == 11 && order == 17) ? "N"
                                  : (party == 6 && order == 2)                               ? "1"
                                                                                             : "";
            kandidati.push_back(encodeKandidat({std::to_string(party), std::to_string(order), jmeno1, jmeno2, priznak}));
        }
    }

    std::vector<RecordBytes> catalogue;
    for (const auto& entry : checks::catalogueTexts()) catalogue.push_back(checks::encodeChybaInfo(entry));
    return {{"OKRSKY.RCD", concat(okrsky)},     {"PSRZVO.RCD", concat(psrzvo)},
            {"PSRVOK.RCD", concat(psrvok)},     {"STRANY.RCD", concat(strany)},
            {"KANDIDAT.RCD", concat(kandidati)}, {"CISCHYB.RCD", concat(catalogue)}};
}

TStanice stationFor(std::string_view kodObce, int cisloOkrsku) {
    TStanice s;
    s.Oznaceni = "PS";
    s.KodObce = std::string(kodObce);
    s.CisloOkrsku = cisloOkrsku;
    s.KodOS = "18";
    s.Stav = "";
    if (kodObce == "999997") {
        for (const auto& z : kSpecialPrecincts) {
            if (z.cislo == cisloOkrsku) s.NazevObce = z.nazev1;
        }
        s.KodUzemi = "999";
        s.KodOkresu = "9999";
        s.NazevOkresu = "Zahraničí";
        s.CisloKraje = "15";
        s.KodKraje = "9999";
        s.NazevKraje = "Zahraničí";
    } else {
        for (const auto& m : kMunicipalities) {
            if (kodObce != m.kod) continue;
            s.KodUzemi = std::string(m.kodOkresu).substr(1);
            s.NazevObce = m.nazev;
            s.KodOkresu = m.kodOkresu;
            s.NazevOkresu = m.nazevOkresu;
            s.CisloKraje = m.cisloKraje;
            s.KodKraje = m.kodKraje;
            s.NazevKraje = m.nazevKraje;
        }
    }
    // The installation keeps a number in its reserved area that every
    // summary record carries along.
    std::string number = "2021";
    s.reserved[stanice::kReservedTextOffset - stanice::kReservedOffset] = static_cast<char>(number.size());
    s.reserved.replace(stanice::kReservedTextOffset - stanice::kReservedOffset + 1, number.size(), number);
    return s;
}

}  // namespace

OfficeFiles demoOfficeFiles(bool multiStation) {
    OfficeFiles files;
    files.multiStation = multiStation;
    files.registers = demoRegisters();
    if (!multiStation) {
        files.stations.push_back({"", encodeStanice(stationFor("532053", 1))});
        return files;
    }
    const DemoStation stations[] = {{"OK1", "532053", 1}, {"OK7", "554782", 7}, {"ZO90", "999997", 90}};
    for (const auto& st : stations)
        files.stations.push_back({st.directoryName, encodeStanice(stationFor(st.kodObce, st.cisloOkrsku))});
    return files;
}

void writeDemoInstallation(const std::string& dir, bool multiStation) {
    layOutStation(demoOfficeFiles(multiStation), dir, {});
}

}  // namespace talmorek::tool

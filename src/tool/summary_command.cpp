#include <ostream>

#include "core/checks/catalogue.h"
#include "core/data/directories.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/installation.h"

namespace talmorek::tool {

// What an installation holds, as the program will see it at start-up.
int runSummary(const Args& args, std::ostream& out, std::ostream& err) {
    auto dirs = installationDirectories(args, err);
    if (!dirs) return kExitFailure;
    try {
        data::TStanice station = data::NactiStanici(dirs->station);
        data::Registers registers(dirs->program);
        data::PartyList parties = registers.NactiStrany();
        checks::TCisChyb catalogue(dirs->program);
        data::TOkrsky okrsek;
        bool known = registers.NajdiOkrsek(station.KodObce, station.CisloOkrsku, okrsek);

        out << "Instalace: " << (dirs->multiStation ? "víceokrsková" : "jednookrsková") << "\n"
            << "Adresář programu: " << dirs->program << "\n"
            << "Adresář stanice:  " << dirs->station << "\n"
            << "Adresář dat:      " << dirs->data << "\n"
            << "Obec: " << station.KodObce << " - " << station.NazevObce << "\n"
            << "Okrsek: " << station.CisloOkrsku << (known ? "" : " (není v číselníku okrsků)") << "\n"
            << "Volební kraj: " << station.CisloKraje << " - " << station.NazevKraje << "\n"
            << "Dny voleb: " << data::electionDates(station) << "\n"
            << "Formulář: " << (data::isSpecialPrecinct(station) ? "T/4b (zvláštní okrsek)" : "T/4a") << "\n"
            << "Stav stanice: " << (station.Stav.empty() ? "(nový)" : station.Stav) << "\n"
            << "Stran: " << parties.length << ", zpráv kontrol: " << catalogue.entries().size() << "\n"
            << "Členů komise v seznamu: " << data::NactiKomisi(dirs->data).size() << "\n";
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

}  // namespace talmorek::tool

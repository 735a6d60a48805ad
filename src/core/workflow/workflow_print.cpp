// The print commands of the main menu that need no entered data: the tally
// sheet, the printer, "bez háčků" and the test print.
#include "core/workflow/workflow.h"

#include "core/data/registers.h"

namespace talmorek::workflow {

void Workflow::Scitaciarch_MIClick() {
    const char* title = "Sčítací arch";
    if (!ensureStarted(title)) return;
    try {
        const data::Registers registers(dirs_.program);
        const data::PartyList strany = registers.NactiStrany();
        const data::CandidateTable kandidati = registers.NactiKandidaty();
        // The preview numbers document pages, and a party's table may take
        // more than one page: the user is warned before choosing a range.
        prompts_.infoDialog(title,
                            "Tisk pomocného sčítacího archu obsahuje tabulky pro " + std::to_string(strany.length) +
                                " stran.",
                            "Pokud chcete tisknout jen vybrané stránky,\rjejich výběr provedete zadáním jejich "
                            "rozsahu\r(pozor - číslo stránky neodpovídá číslu strany)\rv Nastavení tiskárny "
                            "(ikonka s tiskárnou)\rv preview tisku a potvrdíte tlačítkem OK.\rVlastní tisk "
                            "provedete stisknutím tlačítka Tisk.");
        printJobs_.tallySheet(strany, kandidati, station_, sDiakritikou_, now());
    } catch (const std::exception& e) {
        reportFailure(e, title);
    }
}

void Workflow::VyberTiskarny_MIClick() {
    try {
        printJobs_.selectPrinter();
    } catch (const std::exception& e) {
        reportFailure(e, "Výběr tiskárny");
    }
}

void Workflow::BezHacku_MIClick() {
    if (bezHackuEnabled()) sDiakritikou_ = !sDiakritikou_;
}

void Workflow::ZkusebniTisk_MIClick() {
    const char* title = "Zkušební tisk";
    if (!ensureStarted(title)) return;
    try {
        printJobs_.testPage(station_, sDiakritikou_, now());
    } catch (const std::exception& e) {
        reportFailure(e, title);
    }
}

}  // namespace talmorek::workflow

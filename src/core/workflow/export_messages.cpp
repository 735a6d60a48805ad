#include "core/workflow/export_messages.h"

namespace talmorek::workflow {
namespace {

// What follows the finding: at home the commission explains the findings at
// the receiving point and signs the protocols there; abroad the receiving
// point may call back to verify.
std::string consequence(bool zvlastniOkrsek, bool plural) {
    if (zvlastniOkrsek) return "Z přebíracího místa můžete být vyzváni k ověření údajů a vysvětlení příčiny chyby.";
    return std::string("Na přebíracím místě budete vyzváni k uvedení možné příčiny zjištěných chyb a budete "
                       "podepisovat ") +
           (plural ? "protokoly." : "protokol.");
}

}  // namespace

std::string exportVerdictMessage(const checks::Verdict& v, bool zvlastniOkrsek) {
    if (v.PriznakPropustitelne && v.PriznakUpozorneni)
        return "Data obsahují PROPUSTITELNÉ CHYBY a UPOZORNĚNÍ.\r\r" + consequence(zvlastniOkrsek, true);
    if (v.PriznakPropustitelne) return "Data obsahují PROPUSTITELNÉ CHYBY.\r\r" + consequence(zvlastniOkrsek, false);
    if (v.PriznakUpozorneni) return "Data obsahují UPOZORNĚNÍ.\r\r" + consequence(zvlastniOkrsek, false);
    return {};
}

}  // namespace talmorek::workflow

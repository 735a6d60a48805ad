#include "core/checks/catalogue_texts.h"

#include <vector>

namespace talmorek::checks {

std::span<const TChybaInfo> catalogueTexts() {
    // "C" an error, "P" a passable error, "U" a warning (upozornění).
    static const std::vector<TChybaInfo> kTexts = {
        {1, "C", "Obec není v číselníku obcí"},
        {2, "C", "Okrsek není v číselníku okrsků obce"},
        {3, "C", "Chybné kontrolní číslo KČ1 v oddílu II"},
        {4, "P", "Počet osob zapsaných ve výpisech ze seznamů voličů je nulový"},
        {5, "P", "Voličům nebyly vydány žádné úřední obálky"},
        {6, "P", "Vydaných obálek je více než osob zapsaných ve výpisech"},
        {7, "P", "Nebyla odevzdána žádná úřední obálka"},
        {8, "P", "Odevzdaných obálek je více než vydaných obálek"},
        {9, "P", "Žádný platný hlas, ačkoli byly odevzdány obálky"},
        {10, "P", "Platných hlasů je více než odevzdaných obálek"},
        {11, "C", "Chybné kontrolní číslo KČ2 v oddílu II"},
        {12, "C", "Strana zapsaná v oddílu II není v číselníku stran"},
        {13, "C", "Chybné kontrolní číslo KČ1 v příloze č. 1"},
        {14, "C", "Strana přílohy č. 1 není v číselníku stran"},
        {15, "C", "Hlasů pro stranu je více než platných hlasů v okrsku"},
        {16, "C", "Součet hlasů pro strany nesouhlasí s počtem platných hlasů"},
        {17, "C", "Chybné kontrolní číslo KČ2 v příloze č. 1"},
        {18, "C", "Přednostních hlasů kandidáta je více než hlasů pro stranu"},
        {19, "C", "Přednostních hlasů je více než čtyřnásobek hlasů pro stranu"},
        {20, "C", "Přednostní hlasy kandidáta, který na listině není"},
        {21, "C", "Chybné kontrolní číslo KČ3 (součet kontrolních součinů)"},
        {22, "C", "Chybné kontrolní číslo KČ4 v příloze č. 1"},
        {23, "C", "Chybně uvedený poslední kandidát s přednostním hlasem"},
        {24, "C", "Poslední kandidát s přednostním hlasem není na listině"},
        {39, "C", "Neúplně nebo chybně vyplněný oddíl III zápisu"},
        {41, "C", "Strana s hlasy není označena v oddílu II"},
        {42, "C", "Označená strana nemá žádný platný hlas"},
        {62, "C", "Chybný druh věty výsledků"},
        {63, "C", "Chybný příznak opravy ve větě výsledků"},
        {64, "C", "Chybný příznak chyby ve větě výsledků"},
        {66, "C", "Nesouhlasí součet kontrolních čísel KČ1"},
        {67, "C", "Nesouhlasí součet kontrolních čísel KČ2"},
        {68, "C", "Nesouhlasí součet kontrolních čísel KČ3"},
        {69, "C", "Nesouhlasí součet kontrolních čísel KČ4"},
        {70, "C", "Nesouhlasí součet kontrolních součtů vět"},
        {72, "C", "Kód okresu ve větě neodpovídá číselníku okrsků"},
        {76, "C", "Chybný způsob pořízení v souhrnné větě"},
        {77, "C", "Nesouhlasí celkový kontrolní součet souhrnné věty"},
        {91, "U", "Obálky byly vydány všem voličům zapsaným ve výpisech"},
        {92, "U", "Neodevzdáno neobvykle mnoho vydaných obálek"},
        {93, "U", "Ve výpisech je zapsáno 2000 nebo více voličů"},
        {94, "U", "Neobvykle nízká volební účast"},
        {95, "U", "Neobvykle mnoho neplatných hlasů"},
        {96, "U", "Počet zapsaných voličů se výrazně liší od očekávaného"},
        {97, "U", "Neobvykle vysoká volební účast"},
        {98, "U", "Neobvyklé využití přednostních hlasů"},
    };
    return kTexts;
}

}  // namespace talmorek::checks

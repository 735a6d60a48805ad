#include "core/workflow/error_messages.h"

#include <cerrno>

#include "core/export/blowfish.h"
#include "core/export/container.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {
namespace {

// "Soubor F, záznam N, pole X": as much of the place as the failure knows,
// empty when it knows none of it. Records are counted from 1, as a person
// counts them.
std::string location(const data::DataError& e, bool withField = true) {
    std::string where;
    auto add = [&where](const char* first, const char* next, const std::string& what) {
        where += (where.empty() ? first : next) + what;
    };
    if (!e.file().empty()) add("Soubor ", "", e.file());
    if (e.record() >= 0) add("Záznam ", ", záznam ", std::to_string(e.record() + 1));
    if (withField && !e.field().empty()) add("Pole ", ", pole ", e.field());
    return where;
}

// What an operating system's error code means, in the words a commission
// member reads. A bare number tells them nothing; the codes a file or a
// carrier can give are each worded, and a code beyond them is called what
// it is, an unexpected error of the system.
std::string reasonOf(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR: return "soubor nebo adresář neexistuje";
        case EACCES:
        case EPERM: return "přístup byl odepřen";
        case EROFS: return "disk je chráněn proti zápisu";
        case ENOSPC: return "na disku není dost místa";
#ifdef EDQUOT
        case EDQUOT: return "na disku není dost místa";
#endif
        case EISDIR: return "na místě souboru je adresář";
        case ELOOP: return "na místě souboru je odkaz na jiný soubor";
        case EINVAL: return "na místě souboru není obyčejný soubor";
        case EEXIST: return "soubor tohoto jména už existuje";
        case EBUSY:
        case ETXTBSY: return "soubor používá jiný program";
        case EIO: return "chyba čtení nebo zápisu na disku";
        case EFBIG: return "soubor by byl příliš velký";
        case ENAMETOOLONG: return "název souboru je příliš dlouhý";
        case EMFILE:
        case ENFILE: return "je otevřeno příliš mnoho souborů";
        case ENOMEM: return "nedostatek paměti";
        case ENODEV:
        case ENXIO: return "zařízení není připojeno";
#ifdef ESTALE
        case ESTALE: return "disk byl mezitím odpojen";
#endif
        case EXDEV: return "soubor nelze přesunout na jiný disk";
        case ENOTEMPTY: return "adresář není prázdný";
        case EINTR: return "operace byla přerušena";
        case EAGAIN: return "soubor je dočasně nedostupný";
        case ETIMEDOUT: return "disk neodpovídá";
#ifdef ENOMEDIUM
        case ENOMEDIUM: return "v jednotce není médium";
#endif
#ifdef EREMOTEIO
        case EREMOTEIO: return "chyba čtení nebo zápisu na disku";
#endif
        case ENOTSUP: return "disk tuto operaci nedovoluje";
        case ENOSYS: return "operační systém tuto operaci nepodporuje";
        case EOVERFLOW: return "soubor je příliš velký";
        default: return "neočekávaná chyba operačního systému č. " + std::to_string(err);
    }
}

class Wording : public data::DataErrorVisitor {
public:
    std::string text;

    void visit(const data::IoError& e) override {
        const std::string& file = e.path();
        switch (e.osError()) {
            case 0:
                text = e.record() >= 0
                           ? "Soubor " + file + " je poškozen (neúplný záznam " + std::to_string(e.record() + 1) + ")."
                           : "Soubor " + file + " je poškozen (neúplný záznam nebo čtení za koncem souboru).";
                return;
            case ENOENT:
            case ENOTDIR:
                text = "Soubor " + file + " nebyl nalezen.";
                return;
            case EACCES:
            case EPERM:
            case EROFS:
                text = "K souboru " + file + " není povolen přístup pro čtení a zápis.";
                return;
            case ENOSPC:
                text = "Na disku není dost místa pro soubor " + file + ".";
                return;
            default:
                text = "Chyba při práci se souborem " + file + ": " + reasonOf(e.osError()) + ".";
        }
    }

    void visit(const data::ConversionError& e) override {
        const std::string where = location(e);
        const std::string quoted = "'" + e.text() + "' není platné celé číslo.";
        text = where.empty() ? "Text " + quoted : where + ": text " + quoted;
    }

    void visit(const data::FormatError& e) override {
        // A package that claims more than it may hold, or a data file larger
        // than any: the commission needs the cause, not a byte position.
        if (e.field() == exporting::kPlainSizeField) {
            text = "Soubor " + e.file() + " uvádí víc dat, než balíček dat může obsahovat; nebyl rozbalen.";
            return;
        }
        if (e.field() == exporting::kFileSizeField) {
            text = "Soubor " + e.file() + " je větší, než soubor dat může být; nebyl přečten.";
            return;
        }
        std::string detail;
        if (e.record() >= 0) {
            detail = "záznam " + std::to_string(e.record() + 1);
        } else if (e.position() >= 0) {
            detail = "pozice " + std::to_string(e.position() + 1);
        }
        if (!e.field().empty()) detail += (detail.empty() ? "pole " : ", pole ") + e.field();
        text = "Soubor " + e.file() + " má nesprávný obsah" + (detail.empty() ? "" : " (" + detail + ")") + ".";
    }

    void visit(const data::FieldWidthError& e) override {
        // The field is named in the sentence itself.
        const std::string where = location(e, false);
        const std::string rest = " " + std::to_string(e.value()) + " se nevejde do pole " + e.field() + " (" +
                                 std::to_string(e.width()) + " znaků); data nebyla uložena.";
        text = where.empty() ? "Hodnota" + rest : where + ": hodnota" + rest;
    }

    void visit(const data::EmptyFileError& e) override {
        text = "Soubor " + e.file() + " je prázdný, ačkoli má obsahovat aspoň jeden záznam.";
    }

    void visit(const data::FieldValueError& e) override {
        const std::string where = location(e);
        const std::string quoted = "'" + e.text() + "' není v tomto poli přípustná.";
        text = where.empty() ? "Hodnota " + quoted : where + ": hodnota " + quoted;
    }
};

// Why a copy to a carrier failed, as the commission can act on it: make
// room, remove the write protection, plug the carrier in again.
std::string exportReason(const media::ExportError& e) {
    using Step = media::ExportError::Step;
    switch (e.step()) {
        case Step::ReadSource:
            return "soubor " + e.file() + " nelze přečíst";
        case Step::Differs:
            return "soubor " + e.file() + " přečtený zpět se liší od exportovaných dat";
        case Step::TargetIsLink:
            return "na místě souboru " + e.file() + " je odkaz na jiný soubor, který program nepřepíše";
        case Step::DirectoryIsLink:
            return "adresář " + e.file() + " je odkaz na jiné místo, kam program data neexportuje";
        case Step::TargetIsNoFile:
            return "na místě souboru " + e.file() + " je adresář nebo zařízení";
        case Step::CarrierGone:
            return "nosič není připojen (byl vyjmut?)";
        default:
            break;
    }
    switch (e.osError()) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "na nosiči není dost místa";
        case EROFS:
        case EACCES:
        case EPERM:
            return "nosič je chráněn proti zápisu";
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return "nosič není připojen (byl vyjmut?)";
        case EIO:
            return "chyba čtení nebo zápisu na nosiči (byl vyjmut?)";
        default:
            break;
    }
    const char* what = e.step() == Step::CreateDirectory ? "adresář " : "soubor ";
    const char* doing = e.step() == Step::ReadBack ? " nelze přečíst zpět" : " nelze zapsat";
    return what + e.file() + doing + ": " + reasonOf(e.osError());
}

}  // namespace

std::string osReason(int osError) { return reasonOf(osError); }

std::string czechMessage(const media::ExportError& failure) {
    return "Export na " + failure.place() + " se nepovedl: " + exportReason(failure) + ".\rData nebyla exportována.";
}

std::string czechMessage(const data::DataError& failure) {
    Wording wording;
    failure.accept(wording);
    return wording.text;
}

std::string czechMessage(const exporting::KeyError& failure) {
    const char* fault = failure.reason() == exporting::KeyError::Reason::Weak ? "je pro šifru Blowfish slabý"
                                                                              : "musí mít 1 až 56 bajtů";
    return std::string("Zadaný klíč ") + fault + ", program ho nepoužije; zvolte jiný klíč.";
}

std::string czechMessage(const std::exception& failure) {
    if (const auto* dataError = dynamic_cast<const data::DataError*>(&failure)) return czechMessage(*dataError);
    if (const auto* exportError = dynamic_cast<const media::ExportError*>(&failure)) return czechMessage(*exportError);
    if (const auto* keyError = dynamic_cast<const exporting::KeyError*>(&failure)) return czechMessage(*keyError);
    return std::string("Neočekávaná chyba: ") + failure.what();
}

std::string journalNotWritten(const std::exception& failure) {
    return czechMessage(failure) +
           "\rNeuložené údaje nyní nejsou chráněny pro případ výpadku; uloží se při změně stránky nebo při uložení.";
}

std::string journalSetAside(const std::string& reason, const std::string& badPath) {
    return "Neuložené údaje z přerušeného pořizování nelze obnovit. " + reason + "\rSoubor byl odložen jako " +
           badPath + "; pořizování pokračuje s uloženými daty.";
}

std::string notAPackage(const std::string& file) {
    return "Soubor " + file + " není platný balíček dat (je poškozený, zkrácený nebo zašifrovaný jiným klíčem).";
}

namespace {
// What each file of an office's set is, as an administrator knows it.
const char* officeFileKind(const std::string& name) {
    if (name == "OKRSKY.RCD") return "registr okrsků";
    if (name == "PSRZVO.RCD") return "registr zvláštních okrsků v zahraničí";
    if (name == "PSRVOK.RCD") return "registr počtů voličů v okrscích";
    if (name == "STRANY.RCD") return "registr stran";
    if (name == "KANDIDAT.RCD") return "registr kandidátů";
    if (name == "CISCHYB.RCD") return "číselník kontrolních hlášení";
    return "záznam stanice";
}
}  // namespace

std::string officeFileMissing(const std::string& sourceDir, const std::string& name) {
    return "V sadě souborů volebního úřadu v " + sourceDir + " chybí soubor " + name + " (" + officeFileKind(name) +
           ").";
}

std::string officeStationsMissing(const std::string& sourceDir, bool multiStation, bool otherKind) {
    if (!multiStation) {
        return "V sadě souborů volebního úřadu v " + sourceDir + " chybí soubor STANICE.RCD (záznam stanice)." +
               (otherKind ? " Sada má záznamy stanic v podadresářích: je určena pro víceokrskovou instalaci "
                            "(volba --multi)."
                          : "");
    }
    return "V podadresářích sady souborů volebního úřadu v " + sourceDir +
           " není žádný soubor STANICE.RCD (záznam stanice)." +
           (otherKind ? " Sada má jediný záznam stanice: je určena pro jednookrskovou instalaci (bez volby --multi)."
                      : "");
}

std::string stationNotInRegisters(const std::string& file, const std::string& kodObce, std::int32_t okrsek) {
    return "Stanice v souboru " + file + " (obec " + kodObce + ", okrsek " + std::to_string(okrsek) +
           ") není v registru okrsků téže sady; soubory k sobě nepatří.";
}

std::string stationHoldsWork(const std::string& dir, const std::string& evidence) {
    return "V adresáři " + dir + " je stanice s pořízenými nebo exportovanými daty (" + evidence +
           "); stanice se znovu nezakládá a nic se nepřepisuje.";
}

std::string notADirectory(const std::string& path) { return path + " je soubor, ne adresář."; }

std::string stationAndOfficeSetOverlap(const std::string& dir, const std::string& sourceDir) {
    return "Stanici nelze založit v " + dir + ": leží v sadě souborů volebního úřadu " + sourceDir +
           ", je jí, nebo ji obsahuje. Zvolte pro stanici jiný adresář.";
}

std::string programPlaceTaken(const std::string& path) {
    return "Na místě odkazu na program " + path + " je adresář; stanice se nezakládá.";
}

std::string programNotLinked(const std::string& link, const std::string& program, int osError) {
    return "Odkaz " + link + " na program " + program + " se nepodařilo vytvořit: " + reasonOf(osError) +
           ". Stanice se nezakládá, nic z ní nebylo zapsáno.";
}

std::string pathUnfitForLauncher(const std::string& path) {
    return "Cesta " + path +
           " obsahuje znak, který spouštěč na ploše neunese (řídicí znak nebo %); zvolte pro stanici jiný adresář.";
}

std::string menuEntryOfAnotherStation(const std::string& menuEntry, const std::string& otherDir,
                                      const std::string& evidence) {
    return "Položka nabídky " + menuEntry + " spouští stanici v " + otherDir +
           ", která má pořízená nebo exportovaná data (" + evidence +
           "); nová stanice by ji nahradila. Stanice se nezakládá.";
}

std::string namedForAnotherPrecinct(const std::string& file, const std::string& nameKodObce, std::int32_t nameOkrsek,
                                    const std::string& kodObce, std::int32_t okrsek) {
    return "Soubor " + file + " nese název okrsku " + std::to_string(nameOkrsek) + " obce " + nameKodObce +
           ", ale obsahuje okrsek " + std::to_string(okrsek) + " obce " + kodObce + "; nebyl započten.";
}

std::string printProgramMissing(const std::string& program, int osError) {
    return "Tiskové příkazy nelze spustit: " + program + " (" + osReason(osError) + ").";
}

std::string printingNotBuilt() {
    return "Tato sestava talmorek-tool tisknout neumí: tiskové příkazy (print) jsou jen v sestavě pro Linux.";
}

}  // namespace talmorek::workflow

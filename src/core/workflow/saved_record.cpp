#include "core/workflow/saved_record.h"

#include <algorithm>

#include "core/data/blanks.h"
#include "core/data/decimal.h"
#include "core/data/file_io.h"
#include "core/data/working_files.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {

bool loadResultsBlock(const data::Directories& dirs, const data::TStanice& station, record::RecordOfVote& record,
                      data::FileSystem& fs) {
    record.ClearResults();
    record.T4.Obec = data::toIntOr(station.KodObce, 0);
    record.T4.Okrsek = station.CisloOkrsku;
    using exporting::DataLetter;
    // Both files are there only after a save that wrote one and could not
    // remove the other. Every save that writes "E" holds what was typed last
    // (a page change after a successful check, or a check that found
    // errors), and an "O" is only ever written from the same data as the
    // "E" beside it: so "E" is read, and nothing typed is lost to an older
    // checked file. The next save removes the file it did not write; the
    // precinct merely has to be checked again.
    const bool hasE =
        data::fileExists(exporting::dataFilePath(dirs.data, DataLetter::E, station.KodObce, station.CisloOkrsku), fs);
    return exporting::NactiData(record, dirs.data, station.KodObce, station.CisloOkrsku,
                                hasE ? DataLetter::E : DataLetter::O, fs);
}

std::string courseOfVotingFile(const data::Directories& dirs) {
    return data::resolveFile(dirs.data, data::hlaso::kLayout.name);
}

void loadCourseAndCommission(const data::Directories& dirs, record::RecordOfVote& record, data::FileSystem& fs) {
    record.hlasovani = data::NactiHlasovani(dirs.data, fs);
    record.komise.clear();
    // The chair alone has no list; whatever KOMISE.RCD still holds from an
    // earlier count is not theirs.
    const std::string hlaso = courseOfVotingFile(dirs);
    if (std::optional<int> others = data::otherMembersPresent(record.hlasovani.ClenuOVKP, {hlaso, "ClenuOVKP"})) {
        data::DelkaKomise(record.komise, static_cast<std::size_t>(*others));
        if (data::KomiseNeprazdna(dirs.data, fs)) record.komise = data::NactiKomisi(dirs.data, fs);
    }
}

bool loadSavedRecord(const data::Directories& dirs, const data::TStanice& station, record::RecordOfVote& record,
                     data::FileSystem& fs) {
    if (!loadResultsBlock(dirs, station, record, fs)) return false;
    loadCourseAndCommission(dirs, record, fs);
    return true;
}

void saveEnteredRecord(const data::Directories& dirs, data::TStanice& station, const record::RecordOfVote& record,
                       exporting::DataLetter letter, const std::optional<data::SeznamKomise>& commission,
                       data::FileSystem& fs) {
    data::ZapisStavStanice(dirs.station, "N", station, fs);
    exporting::saveResults(record, dirs.data, station.KodObce, station.CisloOkrsku, letter, fs);
    data::ZapisHlasovani(dirs.data, record.hlasovani, fs);
    if (commission) data::ZapisKomisi(dirs.data, *commission, fs);
}

}  // namespace talmorek::workflow

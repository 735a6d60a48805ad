#pragma once
// Loading the record of the vote that a station has saved, as every check
// run does: the results block from the precinct data file ("O" when it
// exists, else "E"), the course of voting from HLASO.RCD and, when members
// other than the chair were present, the commission from KOMISE.RCD.

#include <optional>
#include <string>

#include "core/data/directories.h"
#include "core/data/file_system.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {

// Clears the results block, sets its identification to the station's
// precinct and fills it from the "O" file, else the "E" file. Returns
// whether one of them existed; without either the block stays cleared.
bool loadResultsBlock(const data::Directories& dirs, const data::TStanice& station, record::RecordOfVote& record,
                      data::FileSystem& fs = data::systemFileSystem());

// The HLASO.RCD the course of voting of the station is read from.
std::string courseOfVotingFile(const data::Directories& dirs);

// HLASO.RCD into the course of voting; the commission list from KOMISE.RCD
// when more than the chair was present, else empty. A non-numeric count of
// members present raises ConversionError naming HLASO.RCD and `ClenuOVKP`.
void loadCourseAndCommission(const data::Directories& dirs, record::RecordOfVote& record,
                             data::FileSystem& fs = data::systemFileSystem());

// Both of the above; returns false, with the results block cleared and the
// working files not read, when neither data file exists. File and
// conversion failures raise.
bool loadSavedRecord(const data::Directories& dirs, const data::TStanice& station, record::RecordOfVote& record,
                     data::FileSystem& fs = data::systemFileSystem());

// Saves a record as the entry window's save writes it before any check:
// the station stops saying "exported" first (`Stav` "N", so that whatever
// fails later the main window tells the truth), then the results block goes
// to the data file with `letter` and the file of the other letter goes, the
// course of voting to HLASO.RCD and, when given, the commission list to
// KOMISE.RCD. `station` follows the station record on disk. File failures
// and values that do not fit raise.
void saveEnteredRecord(const data::Directories& dirs, data::TStanice& station, const record::RecordOfVote& record,
                       exporting::DataLetter letter, const std::optional<data::SeznamKomise>& commission,
                       data::FileSystem& fs = data::systemFileSystem());

}  // namespace talmorek::workflow

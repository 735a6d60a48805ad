#pragma once
// The wording of the check messages that a Talmorek installation ships in
// CISCHYB.RCD: one short text for every code the check rules can report.
// The demo installation and the tests build their catalogue from this table;
// the program itself reads the installed file.

#include <span>

#include "core/checks/catalogue.h"

namespace talmorek::checks {

// In ascending code order; each text at most 65 characters.
std::span<const TChybaInfo> catalogueTexts();

}  // namespace talmorek::checks

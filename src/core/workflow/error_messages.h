#pragma once
// The Czech sentence a commission member reads when a command fails on a
// file or a number. Made in one place so the program and the tool say the
// same thing about the same failure: the file, the record and the field
// where the failure knows them, then what went wrong.

#include <exception>
#include <string>

#include "data/errors.h"

namespace talmorek::workflow {

// E.g. "Soubor /x/STANICE.RCD, pole KodOS: text ']u' není platné celé číslo."
std::string czechMessage(const data::DataError& failure);
// The sentence of a DataError; any other failure is unexpected and told
// with its own text.
std::string czechMessage(const std::exception& failure);

}  // namespace talmorek::workflow

#pragma once
// The Czech sentence a commission member reads when a command fails on a
// file or a number. Made in one place so the program and the tool say the
// same thing about the same failure.

#include <exception>
#include <string>

namespace talmorek::workflow {

std::string czechMessage(const std::exception& failure);

}  // namespace talmorek::workflow

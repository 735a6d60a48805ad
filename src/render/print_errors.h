#pragma once
// Failures of the printing platform and the Czech sentence a user reads
// about any failure of a print job.

#include <exception>
#include <stdexcept>
#include <string>

namespace talmorek::render {

// A printer or a PDF file refused the output. The text is the Czech sentence
// for the user.
class PrintOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sentence for a failed print job: the data's failure as
// `workflow::czechMessage` words it, a missing font, a refused output, or
// an unexpected failure.
std::string printFailureMessage(const std::exception& failure);

// The one message about copies of the record that the printer did not
// take: why, how many of the copies asked for came out whole, and that the
// record now opens in the preview, from which it can be printed again.
std::string recordCopiesFailureMessage(const std::exception& failure, int printed, int requested);

}  // namespace talmorek::render

#pragma once
// Golden recordings: the text form of a printed document kept in
// tests/data/print/. A mismatch reports the first differing line.
// Run the tests with TALMOREK_UPDATE_GOLDEN=1 to rewrite the files from the
// current output; read every changed file before keeping it.

#include <string>
#include <string_view>

namespace talmorek::testing {

// Compares `actual` with tests/data/print/<name>; adds a failure naming the
// first line that differs (or rewrites the file when asked to).
void expectGolden(std::string_view name, const std::string& actual);

}  // namespace talmorek::testing

#pragma once
// Work for the end of the benchmark run, done by main before the process's
// static objects go: the temporary installations removed and the GUI
// application closed while Qt still stands. A benchmark that crashed the
// exit handlers would leave its directories behind.
#include <functional>

namespace talmorek::bench {

void atEnd(std::function<void()> work);
// Runs the work registered, the latest first.
void runEnd();

}  // namespace talmorek::bench

#include "print/annex_layout.h"

namespace talmorek::print {

void TiskPrilohy1(PrintContext&, const RecordJob&, int) {}

}  // namespace talmorek::print

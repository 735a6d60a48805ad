#pragma once
// Help in the platform's own viewer. On Windows an installation may ship
// the compiled help file Talmorek.chm beside the program; when it is there,
// help opens in the Windows help viewer. Elsewhere, or without the file, the
// caller shows the help carried inside the program.
#include <QString>

namespace talmorek::gui {

inline constexpr const char* kHelpFileName = "Talmorek.chm";

// True when the platform's help viewer was asked to open the help file of
// `programDir` (ending with "/"); false when there is none to open.
bool openPlatformHelp(const QString& programDir);

}  // namespace talmorek::gui

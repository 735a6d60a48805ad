#pragma once
// The path of the program as it was started, which names its installation.

#include <QString>

namespace talmorek::gui {

// Call once at start, before the working directory may change. On Linux a
// station starts the installed program through a link in its directory:
// the link's path, not the installed file, names the station. Elsewhere the
// executable's own path.
QString startedExecutablePath();

}  // namespace talmorek::gui

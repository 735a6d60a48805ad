#pragma once
// The icon of the preview's printer-setup button. The tally sheet's
// instructions send the user to "the icon with a printer", so the button
// must show one on every platform, whatever icon theme is installed.
#include <QIcon>

namespace talmorek::gui {

QIcon printerIcon();

}  // namespace talmorek::gui

#pragma once
// Help in the platform's own viewer. On Windows an installation may ship
// the compiled help file Talmorek.chm beside the program; when it is there,
// help opens in the Windows help viewer. Elsewhere, or without the file, the
// caller shows the help carried inside the program.
#include <QString>

class QWidget;

namespace talmorek::gui {

// The help topic a window opens with F1 (its help context): the main window
// 1, the print preview and the printer dialogs 20, the entry window 40, the
// export target dialog 80. A window without one takes the topic of the
// window it belongs to.
inline constexpr int kHelpMainWindow = 1;
inline constexpr int kHelpPrinting = 20;
inline constexpr int kHelpEntry = 40;
inline constexpr int kHelpExport = 80;

void setHelpContext(QWidget& window, int context);
// The help context of `widget` or of the nearest window it belongs to; 0
// when none has one.
int helpContextOf(const QWidget* widget);

inline constexpr const char* kHelpFileName = "Talmorek.chm";

// True when the platform's help viewer was asked to open the help file of
// `programDir` (ending with "/"); false when there is none to open.
bool openPlatformHelp(const QString& programDir);

}  // namespace talmorek::gui

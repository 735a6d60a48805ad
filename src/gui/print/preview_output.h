#pragma once
// What the preview window asks of the printing platform: the printer dialog
// and the printing itself. Behind an interface so that the window can be
// driven without a printer dialog or a printer.

#include <optional>

#include "core/print/preview_document.h"
#include "core/print/recorded_page.h"

class QWidget;

namespace talmorek::gui {

class PreviewOutput {
public:
    virtual ~PreviewOutput() = default;

    // The printer dialog for a document of `pageCount` pages, preset with
    // the range from..to and `copies`, page-number selection allowed.
    // Nothing when the user cancelled.
    virtual std::optional<print::PrinterDialogChoice> printerDialog(QWidget* parent, int pageCount, int from, int to,
                                                                    int copies) = 0;
    // Prints pages from..to of `document`, `copies` times, on the selected
    // printer. Raises what the platform reports.
    virtual void print(const print::RecordedDocument& document, int from, int to, int copies) = 0;
};

}  // namespace talmorek::gui

#pragma once
// The print job's side of the preview window: it counts the pages a job
// asks for and keeps the page range and copies that "Tisk" prints.
//
// Every print job runs `ZacatekTisku`, one `VratCanvas` per page (drawing
// each page completely before asking for the next), then `KonecTisku`; then
// the window shows the document or it has already gone to the printer.

#include <optional>

#include "core/print/document.h"

namespace talmorek::print {

// What the user confirmed in the printer dialog: copies and, when a page
// range was chosen, its first and last page (1-based, inclusive).
struct PrinterDialogChoice {
    int copies = 1;
    std::optional<int> fromPage;
    std::optional<int> toPage;
};

class PreviewDocument {
public:
    explicit PreviewDocument(PrintDocument& document) : document_(&document) {}

    // The next `VratCanvas` begins a new document.
    void ZacatekTisku() { PocetStran = 0; }
    // The first call after `ZacatekTisku` begins the document (`BeginDoc`),
    // every further one adds a page (`NewPage`); the whole document becomes
    // the page range to print. Returns the surface of the current page.
    // Note that `BeginDoc` has no effect while a document is being built:
    // `ZacatekTisku` in the middle of a document makes the next call return
    // the current page again and count it as page 1.
    PageSurface& VratCanvas();
    // Finishes the document (`EndDoc`).
    void KonecTisku() { document_->EndDoc(); }

    // The printer dialog's outcome; `std::nullopt` when it was cancelled,
    // which changes nothing. Copies below 1 become 1.
    void applyPrinterDialog(const std::optional<PrinterDialogChoice>& choice);

    PrintDocument& document() const { return *document_; }

    int PocetStran = 0;  // pages created in the current document
    int odStrany = 0;    // page range that "Tisk" prints, 1-based, inclusive
    int doStrany = 0;
    int PocetKopii = 1;  // copies chosen in the printer dialog, at least 1

private:
    PrintDocument* document_;
};

}  // namespace talmorek::print

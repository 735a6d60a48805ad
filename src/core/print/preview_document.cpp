#include "core/print/preview_document.h"

#include <algorithm>

namespace talmorek::print {

PageSurface& PreviewDocument::VratCanvas() {
    if (PocetStran == 0) {
        document_->BeginDoc();
    } else {
        document_->NewPage();
    }
    ++PocetStran;
    odStrany = 1;
    doStrany = PocetStran;
    return document_->Canvas();
}

void PreviewDocument::applyPrinterDialog(const std::optional<PrinterDialogChoice>& choice) {
    if (choice) {
        PocetKopii = choice->copies;
        if (choice->fromPage && choice->toPage) {
            odStrany = *choice->fromPage;
            doStrany = *choice->toPage;
        } else {
            odStrany = 1;
            doStrany = PocetStran;
        }
    }
    PocetKopii = std::max(PocetKopii, 1);
}

}  // namespace talmorek::print

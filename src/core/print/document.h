#pragma once
// The print document: an ordered list of pages that a print job draws, held
// for the preview or sent to the printer page by page (direct print).
//
// Layouts never talk to it directly; they go through the preview side of the
// job (`PreviewDocument`: `ZacatekTisku`, `VratCanvas`, `KonecTisku`).

#include <string>

#include "core/print/surface.h"

namespace talmorek::print {

enum class Orientation { Portrait, Landscape };

struct PageSize {
    int width = 0;
    int height = 0;
    bool operator==(const PageSize&) const = default;
};

// A4 in tenths of a millimetre.
constexpr PageSize pageSize(Orientation o) {
    return o == Orientation::Portrait ? PageSize{2100, 2970} : PageSize{2970, 2100};
}

// The document name a new document carries until the record job renames it;
// a PDF printer proposes it as the file name.
inline constexpr const char* kDefaultJobTitle = "VOLBY";

class PrintDocument {
public:
    virtual ~PrintDocument() = default;

    // When idle: discards the pages of the previous document, starts a new
    // one and creates its first page; in direct print it also starts the
    // printer job under `PrintJobTitle`. While a document is being built it
    // has no effect, so the current page stays current.
    virtual void BeginDoc() = 0;
    // Finishes the current page and makes a new one current. In direct print
    // the finished page goes to the printer and is not kept.
    virtual void NewPage() = 0;
    // Finishes the document (in direct print: the last page and the job).
    // No effect when idle.
    virtual void EndDoc() = 0;
    // Drawing failed half-way: drops the document being built (in direct
    // print the printer job is cancelled, so no partial copy comes out) and
    // becomes idle, so the next job can begin a document of its own. No
    // effect when idle; never raises.
    virtual void AbortDoc() noexcept = 0;
    // The drawing surface of the current page, valid until the next
    // `NewPage`, `BeginDoc` of a new document or `EndDoc`.
    virtual PageSurface& Canvas() = 0;

    // Not building a document. (A renderer that prints from the preview
    // keeps its own busy state on top of this.)
    virtual bool isIdle() const = 0;
    // Pages kept for the preview.
    virtual int TotalPages() const = 0;

    // Applies to pages begun afterwards.
    virtual Orientation orientation() const = 0;
    virtual void setOrientation(Orientation o) = 0;
    // Read when a document begins: the whole document is printed directly or
    // kept.
    virtual bool DirectPrint() const = 0;
    virtual void setDirectPrint(bool direct) = 0;
    virtual const std::string& PrintJobTitle() const = 0;
    virtual void setPrintJobTitle(std::string title) = 0;
};

// Runs `draw`, which builds a whole document; when it raises, the document
// is aborted before the failure goes on to the command that started the job.
template <typename Draw>
void buildDocument(PrintDocument& document, Draw&& draw) {
    try {
        draw();
    } catch (...) {
        document.AbortDoc();
        throw;
    }
}

}  // namespace talmorek::print

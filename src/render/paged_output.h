#pragma once
// Recorded pages on paged devices and in PDF files: each page on an A4 sheet
// of its own orientation, drawn from the sheet's corner with one unit =
// 0.1 mm, whatever the resolution of the device.

#include <QPainter>
#include <QString>

#include "core/data/file_system.h"
#include "core/print/recorded_page.h"

class QPagedPaintDevice;

namespace talmorek::render {

// Sends pages to a paged device one at a time (direct print draws a page
// while the next is not yet known). The painter starts with the first page.
class PagedOutput {
public:
    // The device draws on the whole sheet (the forms measure from the
    // paper's edge); a printer must be told so before the first page.
    explicit PagedOutput(QPagedPaintDevice& device);
    ~PagedOutput();
    PagedOutput(const PagedOutput&) = delete;
    PagedOutput& operator=(const PagedOutput&) = delete;

    // Raises PrintOutputError when the device refuses to start or to add a page.
    void addPage(const print::RecordedPage& page);
    // Ends the output; raises PrintOutputError when the device reports a
    // failure. Without a page nothing was started and nothing is written.
    void finish();
    int pageCount() const { return pages_; }

private:
    void setSheet(print::Orientation orientation);

    QPagedPaintDevice& device_;
    QPainter painter_;
    int pages_ = 0;
};

// Writes `document` to a PDF file at 254 dpi (a pixel is a unit); its texts
// stay text, searchable and extractable. The PDF's title is the job title.
// The file is made whole in memory and replaces an earlier one in one step,
// so a failed write leaves the earlier PDF as it was. Raises
// PrintOutputError when the file cannot be written or the document has no
// page.
void writePdf(const print::RecordedDocument& document, const QString& fileName,
              data::FileSystem& fs = data::systemFileSystem());

// The file name a PDF of a job is offered under: the job title, with ".pdf"
// unless it already ends so ("PST4a.pdf", "VOLBY.pdf").
QString pdfFileName(const std::string& jobTitle);

}  // namespace talmorek::render

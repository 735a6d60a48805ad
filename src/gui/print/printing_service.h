#pragma once
// Printing as the program uses it: one selected printer for every job, the
// print document that the layouts draw into, the preview window, PDF files.
//
//   PrintingService& printing = ...;              // one for the whole run
//   print::PrintContext ctx(printing.preview(), printing.measure(), station);
//   print::TiskProtokolu(ctx, chyby, t4, clock.now(), sDiakritikou);
//   printing.showPreview(mainWindow);              // modal; "Tisk" prints from it

#include <QPrinter>
#include <QString>
#include <optional>
#include <string>

#include "gui/print/preview_output.h"
#include "gui/print/printer_page_sink.h"
#include "core/print/preview_document.h"
#include "core/print/recording_document.h"
#include "core/print/test_page_layout.h"
#include "render/qt_text_measure.h"

class QWidget;

namespace talmorek::gui {

class PrintingService : public PreviewOutput {
public:
    // Starts with the platform's default printer.
    PrintingService();
    ~PrintingService() override;

    // The printer that every job prints on until another is chosen.
    QPrinter& printer() { return printer_; }
    // "Výběr tiskárny": the system printer dialog on the selected printer.
    // Returns whether the user confirmed.
    bool choosePrinter(QWidget* parent);

    // The print document the layouts draw into (through `preview()`); in
    // direct print its pages go straight to the selected printer.
    print::RecordingDocument& document() { return document_; }
    print::PreviewDocument& preview() { return preview_; }
    const print::TextMeasure& measure() const { return measure_; }

    // Shows the document drawn last in the preview window, modally.
    void showPreview(QWidget* parent);
    // Prints pages from..to of `document`, `copies` times, on the selected printer.
    void print(const print::RecordedDocument& document, int from, int to, int copies) override;
    // The printer dialog of the preview window, on the selected printer.
    std::optional<print::PrinterDialogChoice> printerDialog(QWidget* parent, int pageCount, int from, int to,
                                                            int copies) override;

    // The facts the test page prints, with the selected printer's name.
    print::TestPageFacts testPageFacts(const std::string& electionDates) const;
    // The name the selected printer is known by ("PDF" for a PDF file).
    QString printerName() const;

private:
    QPrinter printer_;
    PrinterPageSink sink_;
    print::RecordingDocument document_;
    print::PreviewDocument preview_;
    render::QtTextMeasure measure_;
};

}  // namespace talmorek::gui

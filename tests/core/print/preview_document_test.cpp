#include "core/print/preview_document.h"

#include <gtest/gtest.h>

#include "core/print/recording_document.h"

namespace talmorek::print {
namespace {

class Preview : public ::testing::Test {
protected:
    RecordingDocument document;
    PreviewDocument preview{document};
};

TEST_F(Preview, EveryPageAskedForWidensThePrintRange) {
    preview.ZacatekTisku();
    preview.VratCanvas();
    EXPECT_EQ(preview.PocetStran, 1);
    preview.VratCanvas();
    preview.VratCanvas();
    preview.KonecTisku();
    EXPECT_EQ(preview.PocetStran, 3);
    EXPECT_EQ(preview.odStrany, 1);
    EXPECT_EQ(preview.doStrany, 3);
    EXPECT_EQ(document.TotalPages(), 3);
    EXPECT_TRUE(document.isIdle());
}

TEST_F(Preview, TheNextJobBeginsANewDocument) {
    preview.ZacatekTisku();
    preview.VratCanvas();
    preview.VratCanvas();
    preview.KonecTisku();
    preview.ZacatekTisku();
    preview.VratCanvas();
    preview.KonecTisku();
    EXPECT_EQ(document.TotalPages(), 1);
    EXPECT_EQ(preview.doStrany, 1);
}

// The record job begins its document early and then counts again from 0:
// the page it asks for next is the first page, not an extra one.
TEST_F(Preview, StartingTheCountAgainInsideADocumentReusesTheFirstPage) {
    preview.ZacatekTisku();
    PageSurface& first = preview.VratCanvas();
    preview.ZacatekTisku();
    PageSurface& again = preview.VratCanvas();
    EXPECT_EQ(&first, &again);
    again.text(0, 0, "page 1", Font{});
    preview.VratCanvas();
    preview.KonecTisku();
    EXPECT_EQ(document.TotalPages(), 2);
    EXPECT_EQ(preview.PocetStran, 2);
    EXPECT_EQ(document.recorded().pages[0].calls.size(), 1u);
}

TEST_F(Preview, PrinterDialogSetsCopiesAndRange) {
    preview.ZacatekTisku();
    for (int i = 0; i < 5; ++i) preview.VratCanvas();
    preview.KonecTisku();

    preview.applyPrinterDialog(PrinterDialogChoice{3, 2, 4});
    EXPECT_EQ(preview.PocetKopii, 3);
    EXPECT_EQ(preview.odStrany, 2);
    EXPECT_EQ(preview.doStrany, 4);

    preview.applyPrinterDialog(std::nullopt);
    EXPECT_EQ(preview.PocetKopii, 3) << "cancelled: nothing changes";
    EXPECT_EQ(preview.odStrany, 2);

    preview.applyPrinterDialog(PrinterDialogChoice{0, std::nullopt, std::nullopt});
    EXPECT_EQ(preview.PocetKopii, 1) << "fewer than one copy is one";
    EXPECT_EQ(preview.odStrany, 1) << "no range chosen: all pages";
    EXPECT_EQ(preview.doStrany, 5);
}

}  // namespace
}  // namespace talmorek::print

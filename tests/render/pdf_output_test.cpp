// PDF files: A4 sheets of each page's orientation, texts kept as text with
// their Czech letters.

#include <gtest/gtest.h>

#include <filesystem>

#include <QPdfWriter>
#include <QRegularExpression>
#include <QtGlobal>

#include "render/paged_output.h"
#include "render/print_errors.h"
#include "render/qt_text_measure.h"
#include "render/test_page_facts.h"
#include "core/data/station.h"
#include "core/print/primitives.h"
#include "core/print/recording_document.h"
#include "core/print/test_page_layout.h"
#include "support/fault_file_system.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

namespace talmorek::render {
namespace {

using testing::pageSizes;
using testing::pdfInfo;
using testing::pdfText;

#define REQUIRE_POPPLER()                                                              \
    if (!testing::havePdfTool("pdftotext") || !testing::havePdfTool("pdfinfo"))        \
    GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) are not installed"

// One call per page: the page's number as text.
print::RecordedDocument pages(std::initializer_list<print::Orientation> orientations) {
    print::RecordedDocument document;
    int n = 0;
    for (print::Orientation o : orientations) {
        print::RecordedPage page{o, {}};
        print::Font f;
        f.size = 24;
        page.calls.push_back(print::TextCall{200, 200, f, "Stránka číslo " + std::to_string(++n)});
        document.pages.push_back(page);
    }
    return document;
}

class PdfOutput : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    ::talmorek::testing::TempDir dir;
};

TEST_F(PdfOutput, TestPageHoldsItsCzechTextAsText) {
    REQUIRE_POPPLER();
    data::TStanice station;
    print::RecordingDocument document;
    print::PreviewDocument preview(document);
    const QtTextMeasure measure;
    print::PrintContext ctx(preview, measure, station);
    print::printTestPage(ctx, testPageFacts("PDF", "08.10. - 09.10.2021"), {2021, 10, 8, 14, 5}, true);
    writePdf(document.recorded(), file("test.pdf"));

    const auto text = pdfText(file("test.pdf"));
    ASSERT_TRUE(text.has_value());
    for (const char* expected : {
             "Volby do Poslanecké sněmovny Parlamentu ČR konané ve dnech: 08.10. - 09.10.2021",
             "Test proběhl v pořádku, pokud jsou všechny tři šipky u pravého okraje,",
             "v seznamu fontů jsou zastoupeny fonty Arial (CE) a Courier New (CE)",
             "Seznam fontů použitých pro tisk",
             "Arial, Arial CE, Courier New, Courier New CE",
             "Kontaktní osoba",
             "Vámi zaslaný podklad využijeme k opravě nebo vylepšení tohoto software.",
             "Zde bude patička",
         })
        EXPECT_TRUE(text->contains(QString::fromUtf8(expected))) << expected << "\nin:\n" << text->toStdString();
    const auto info = pdfInfo(file("test.pdf"));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->contains(QRegularExpression("Title:\\s+VOLBY"))) << info->toStdString();
    EXPECT_EQ(pageSizes(*info), QStringList{"595 x 842"});
}

TEST_F(PdfOutput, EveryPageGetsAnA4SheetOfItsOwnOrientation) {
    REQUIRE_POPPLER();
    using print::Orientation;
    writePdf(pages({Orientation::Portrait, Orientation::Landscape, Orientation::Portrait}), file("mixed.pdf"));
    const auto info = pdfInfo(file("mixed.pdf"), 3);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(pageSizes(*info), (QStringList{"595 x 842", "842 x 595", "595 x 842"}));
    EXPECT_TRUE(pdfText(file("mixed.pdf"))->contains("Stránka číslo 2"));
}

TEST_F(PdfOutput, FailuresAreReported) {
    EXPECT_THROW(writePdf(print::RecordedDocument{}, file("empty.pdf")), PrintOutputError);
    EXPECT_THROW(writePdf(pages({print::Orientation::Portrait}), file("no/such/dir/x.pdf")), PrintOutputError);
}

// The PDF is made whole before it replaces the file: a full disk or a
// write-protected file leaves the earlier PDF as it was.
TEST_F(PdfOutput, AFailedWriteKeepsTheEarlierFile) {
    const struct {
        const char* name;
        void (*inject)(::talmorek::testing::FaultFileSystem&, const std::string& file);
        const char* reason;
    } cases[] = {
        {"diskFull", [](::talmorek::testing::FaultFileSystem& fs, const std::string& f) { fs.diskFullAfter(f, 100); },
         "na disku není dost místa"},
        {"writeProtected", [](::talmorek::testing::FaultFileSystem& fs, const std::string& f) { fs.writeProtect(f); },
         "přístup byl odepřen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("out.pdf", "the earlier printout");
        ::talmorek::testing::FaultFileSystem fs;
        c.inject(fs, dir.file("out.pdf"));
        try {
            writePdf(pages({print::Orientation::Portrait}), file("out.pdf"), fs);
            ADD_FAILURE() << "written";
        } catch (const PrintOutputError& e) {
            EXPECT_EQ(std::string(e.what()), "Soubor " + dir.file("out.pdf") + " nelze zapsat: " + c.reason + ".");
        }
        EXPECT_EQ(dir.read("out.pdf"), "the earlier printout");
        EXPECT_FALSE(dir.exists("out.pdf.tmp~"));
    }
}

TEST_F(PdfOutput, IsWrittenBesideTheTargetAndRenamedOverIt) {
    dir.write("out.pdf", "the earlier printout");
    ::talmorek::testing::FaultFileSystem fs;
    writePdf(pages({print::Orientation::Portrait}), file("out.pdf"), fs);
    EXPECT_EQ(dir.read("out.pdf").substr(0, 5), "%PDF-");
    ASSERT_GE(fs.journal().size(), 4u);
    EXPECT_EQ(fs.journal().end()[-4], "sync out.pdf.tmp~");
    EXPECT_EQ(fs.journal().end()[-2], "rename out.pdf.tmp~ out.pdf");
    EXPECT_EQ(fs.journal().back(), "sync directory");
}

// A link planted at the PDF's temporary name or at the PDF itself carries
// nothing to the file it names: the PDF is written as a file of its own.
TEST_F(PdfOutput, ALinkPlantedBesideOrAtThePdfIsNeverWrittenThrough) {
    for (const char* linkAt : {"out.pdf.tmp~", "out.pdf"}) {
        SCOPED_TRACE(linkAt);
        ::talmorek::testing::TempDir elsewhere;
        elsewhere.write("victim", "not ours");
        std::filesystem::remove(dir.file("out.pdf"));
        std::filesystem::create_symlink(elsewhere.file("victim"), dir.file(linkAt));
        writePdf(pages({print::Orientation::Portrait}), file("out.pdf"));
        EXPECT_EQ(elsewhere.read("victim"), "not ours");
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.file("out.pdf"))));
        EXPECT_EQ(dir.read("out.pdf").substr(0, 5), "%PDF-");
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("out.pdf.tmp~"))));
    }
}

// The user's directory is not the program's: a file of theirs that happens
// to end in ".tmp~" stays.
TEST_F(PdfOutput, LeavesOtherTemporaryLookingFilesInTheUsersDirectory) {
    dir.write("notes.tmp~", "the user's");
    writePdf(pages({print::Orientation::Portrait}), file("out.pdf"));
    EXPECT_EQ(dir.read("notes.tmp~"), "the user's");
}

QStringList qtMessages;
void keepQtMessage(QtMsgType, const QMessageLogContext&, const QString& text) { qtMessages << text; }

// A device that refuses the painter is one Czech sentence for the user; Qt's
// own warning about it does not reach the console.
TEST_F(PdfOutput, ARefusedStartIsNoQtWarning) {
    QPdfWriter writer(file("no/such/dir/x.pdf"));
    qtMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepQtMessage);
    try {
        PagedOutput output(writer);
        output.addPage(pages({print::Orientation::Portrait}).pages.front());
        ADD_FAILURE() << "started";
    } catch (const PrintOutputError& e) {
        EXPECT_EQ(std::string(e.what()), "Tisk nelze zahájit: tiskárna nebo soubor odmítá výstup.");
    }
    qWarning("after the output");
    qInstallMessageHandler(previous);
    EXPECT_EQ(qtMessages, QStringList{"after the output"}) << "other messages pass on";
}

TEST(PdfFileName, IsTheJobTitle) {
    EXPECT_EQ(pdfFileName("VOLBY"), "VOLBY.pdf");
    EXPECT_EQ(pdfFileName("PST4a.pdf"), "PST4a.pdf");
}

}  // namespace
}  // namespace talmorek::render

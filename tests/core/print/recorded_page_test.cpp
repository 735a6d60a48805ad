#include "core/print/recorded_page.h"

#include <gtest/gtest.h>

#include "core/data/errors.h"
#include "core/print/recording_surface.h"
#include "support/error_of.h"

namespace talmorek::print {
namespace {

using talmorek::testing::errorOf;

RecordedDocument oneOfEach() {
    RecordedDocument doc;
    doc.title = "PST4a.pdf";
    doc.pages.emplace_back();
    RecordingSurface surface(doc.pages.back());
    Font bold{"Arial", 32, FontStyle{.bold = true}, Pitch::Variable};
    surface.text(200, 150, "ZÁPIS O PRŮBĚHU", bold);
    surface.line({170, 100}, {230, 100}, Pen{2, PenStyle::Solid});
    const Point path[] = {{1900, 800}, {1900, 550}, {1650, 550}};
    surface.polyline(path, Pen{8, PenStyle::Solid});
    surface.rectangle({200, 700}, {1900, 1200}, Pen{3, PenStyle::Dot}, Brush{BrushStyle::Clear});
    doc.pages.push_back(RecordedPage{Orientation::Landscape, {}});
    surface.retarget(doc.pages.back());
    surface.ellipse({190, 990}, {250, 1050}, Pen{3, PenStyle::DashDot}, Brush{BrushStyle::Solid});
    Font mixed{"Courier New CE", 15, FontStyle{false, true, true, true}, Pitch::Fixed};
    surface.text(-5, 0, "say \"*)\" \\ tab\there", mixed);
    return doc;
}

TEST(RecordedPage, WritesOneLinePerCall) {
    EXPECT_EQ(toText(oneOfEach()),
              "document title=\"PST4a.pdf\"\n"
              "p1 page portrait\n"
              "p1 text x=200 y=150 font=\"Arial\" size=32 style=B pitch=V \"ZÁPIS O PRŮBĚHU\"\n"
              "p1 line x1=170 y1=100 x2=230 y2=100 pen=2/solid\n"
              "p1 polyline points=1900,800;1900,550;1650,550 pen=8/solid\n"
              "p1 rect x1=200 y1=700 x2=1900 y2=1200 pen=3/dot brush=clear\n"
              "p2 page landscape\n"
              "p2 ellipse x1=190 y1=990 x2=250 y2=1050 pen=3/dashdot brush=solid\n"
              "p2 text x=-5 y=0 font=\"Courier New CE\" size=15 style=IUS pitch=F \"say \\\"*)\\\" \\\\ tab\\x09here\"\n");
}

TEST(RecordedPage, ReadsItsTextFormBack) {
    const RecordedDocument doc = oneOfEach();
    EXPECT_EQ(parseRecordedDocument(toText(doc)), doc);
}

TEST(RecordedPage, AnEmptyDocumentIsItsTitleLine) {
    RecordedDocument empty;
    EXPECT_EQ(toText(empty), "document title=\"VOLBY\"\n");
    EXPECT_EQ(parseRecordedDocument(toText(empty)), empty);
}

TEST(RecordedPage, ReplayRepeatsEveryCallInOrder) {
    const RecordedDocument doc = oneOfEach();
    RecordedPage copy;
    RecordingSurface surface(copy);
    replay(doc.pages[0], surface);
    EXPECT_EQ(copy, doc.pages[0]);
}

struct BadLine {
    const char* name;
    const char* text;
    long long line;
};

constexpr BadLine kBadLines[] = {
    {"no_document_line", "p1 page portrait\n", 0},
    {"call_before_any_page", "document title=\"X\"\np1 line x1=1 y1=2 x2=3 y2=4 pen=1/solid\n", 1},
    {"page_out_of_order", "document title=\"X\"\np2 page portrait\n", 1},
    {"unknown_call", "document title=\"X\"\np1 page portrait\np1 circle x=1\n", 2},
    {"missing_coordinate", "document title=\"X\"\np1 page portrait\np1 line x1=1 y1=2 x2=3 pen=1/solid\n", 2},
    {"not_a_number", "document title=\"X\"\np1 page portrait\np1 line x1=a y1=2 x2=3 y2=4 pen=1/solid\n", 2},
    {"unknown_pen", "document title=\"X\"\np1 page portrait\np1 line x1=1 y1=2 x2=3 y2=4 pen=1/wavy\n", 2},
    {"unterminated_text",
     "document title=\"X\"\np1 page portrait\np1 text x=1 y=2 font=\"Arial\" size=24 style=N pitch=V \"abc\n", 2},
    {"text_without_text", "document title=\"X\"\np1 page portrait\np1 text x=1 y=2 font=\"Arial\" size=24 style=N pitch=V\n",
     2},
};

TEST(RecordedPage, NamesTheLineThatIsNotARecording) {
    for (const auto& c : kBadLines) {
        SCOPED_TRACE(c.name);
        if (const auto e = errorOf<data::FormatError>([&] { parseRecordedDocument(c.text); })) {
            EXPECT_EQ(e->position(), c.line) << e->what();
            EXPECT_EQ(e->unit(), data::FormatError::Unit::Record);
        }
    }
}

}  // namespace
}  // namespace talmorek::print

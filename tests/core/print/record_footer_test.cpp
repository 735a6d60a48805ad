#include "core/print/record_footer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/checks/catalogue_texts.h"
#include "core/print/print_fixture.h"
#include "core/print/primitives.h"
#include "support/golden.h"

namespace talmorek::print {
namespace {

class RecordFooter : public PrintFixture {
protected:
    void SetUp() override {
        startPage();
        ctx.stav.CisloStrany = 1;
        ctx.stav.PosledniList = 5;
        values.Obec = 532053;
        values.Okrsek = 1;
        values.Celkem = 123456789;
        values.casovaZnacka = timeStampText(now);
        values.chyby = &protocol;
        // The last line of the first page's body: the second row of party
        // numbers, whose circles reach one line step below it.
        ctx.stav.AktY = 2450;
    }

    checks::TCisChyb catalogue{
        std::vector<checks::TChybaInfo>(checks::catalogueTexts().begin(), checks::catalogueTexts().end())};
    checks::TChybProt protocol{catalogue};
    RecordFooterValues values;
};

TEST(TimeStamp, HasMillisecondsAfterTheComma) {
    EXPECT_EQ(timeStampText(data::LocalDateTime{2021, 10, 8, 14, 5, 9, 42}), "08.10.2021 14:05:09,042");
}

TEST(FooterCodes, AreThePassableErrorsWarningsAndPartyErrors) {
    for (int code : {4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 19, 20, 41, 42, 91, 92, 93, 94, 95, 96, 97, 98})
        EXPECT_TRUE(isFooterCode(code)) << code;
    for (int code : {1, 2, 3, 11, 13, 17, 21, 22, 23, 24, 39, 62, 72, 77, 99}) EXPECT_FALSE(isFooterCode(code)) << code;
}

// With the fixed measure a character of the footer font (size 26) is 21 wide.
TEST_F(RecordFooter, PlacesPageTotalIdentificationAndTimeStamp) {
    PatickaZapisu(ctx, values);
    const auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, " Strana: 1/5 PS");
    EXPECT_EQ(t[0].x, 1900 - 15 * 21);
    EXPECT_EQ(t[0].y, 2700);
    EXPECT_EQ(t[1].text, "123456789");
    EXPECT_TRUE(t[1].font.style.bold);
    EXPECT_EQ(t[1].x, 1900 - 315 - (9 * 21 + 20));
    EXPECT_EQ(t[2].text, "532053 - 1 - ");
    EXPECT_FALSE(t[2].font.style.bold);
    EXPECT_EQ(t[2].x, t[1].x - (13 * 21 + 10));
    EXPECT_EQ(t[3].text, "08.10.2021 14:05:09,042");
    EXPECT_EQ(t[3].x, 1900 - 23 * 21);
    EXPECT_EQ(t[3].y, 2735);
    for (const auto& call : t) {
        EXPECT_EQ(call.font.name, "Arial");
        EXPECT_EQ(call.font.size, 26);
    }
    EXPECT_EQ(ctx.canvas.font.style, FontStyle{}) << "leaves normal";
    EXPECT_TRUE(ctx.stav.ChybyVytisteny);
}

TEST_F(RecordFooter, ListsTheFooterCodesOnceOnTheFirstPageInProtocolOrder) {
    protocol.PridejChybu(3, 39);
    protocol.PridejChybu(3, 15);
    protocol.PridejChybu(0, 91);
    protocol.PridejChybu(3, 15);
    protocol.PridejChybu(0, 72);
    protocol.PridejChybu(0, 4);
    PatickaZapisu(ctx, values);
    const TextCall errors = lastText();
    EXPECT_EQ(errors.text, "Chyby č.: 4, 91, 15, 15");
    EXPECT_EQ(errors.x, 200);
    EXPECT_EQ(errors.y, 2735);

    VratCanvas(ctx);
    ctx.stav.CisloStrany = 2;
    PatickaZapisu(ctx, values);
    EXPECT_EQ(texts(2).size(), 4u) << "the next page has no error line";
}

// Each code "NN, " is 4 characters of 21 units; the time stamp starts at
// 1900 - 23 * 21 = 1417, so the first line may end at 1397.
TEST_F(RecordFooter, ALongErrorListGoesOnBelowTheTimeStampInsteadOfOverIt) {
    for (int i = 0; i < 60; ++i) protocol.PridejChybu(3, 20);
    PatickaZapisu(ctx, values);
    std::vector<TextCall> lines;
    for (const TextCall& t : texts())
        if (t.y >= 2735 && t.x < 1417) lines.push_back(t);
    ASSERT_EQ(lines.size(), 4u) << "12 codes beside the time stamp, then 17 a line";
    EXPECT_EQ(lines[0].text, "Chyby č.: 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20,");
    EXPECT_EQ(lines[0].x, 200);
    EXPECT_EQ(lines[0].y, 2735);
    EXPECT_LE(lines[0].x + measure.width(lines[0].text, lines[0].font), 1397) << "clear of the time stamp";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, 200 + 10 * 21) << "under the first code";
        EXPECT_EQ(lines[i].y, 2735 + 35 * static_cast<int>(i));
        EXPECT_LE(lines[i].x + measure.width(lines[i].text, lines[i].font), 1900);
    }
    std::string all;
    for (const TextCall& t : lines) all += t.text;
    EXPECT_EQ(std::count(all.begin(), all.end(), '2'), 60) << "every code is listed";
    EXPECT_FALSE(all.ends_with(","));
}

// The error list of a protocol of any size, as the receiving office reads
// it: every code, as often as the protocol holds it, in its order; on the
// sheet, clear of the page body, of the other footer texts and of the blank
// margin at the bottom.
enum class FirstLine {
    None,
    BesideTheTimeStamp,  // and the lines below it, one after the other, as a short list always stood
    Higher,              // above the time stamp's line, in the free space over the footer
};

struct ErrorListCase {
    const char* name;
    int findings;  // with a code of the footer's list
    FirstLine first;
    bool atFooterSize;  // else in smaller type
};

class ErrorList : public RecordFooter, public ::testing::WithParamInterface<ErrorListCase> {
protected:
    // Findings as a check run adds them: the precinct's own and then party
    // after party, codes of the footer's list among others.
    void fill(int count) {
        static constexpr std::array<int, 24> kCodes{18, 20, 4,  91, 12, 14, 15, 19, 41, 42, 5,  6,
                                                    7,  8,  9,  10, 16, 92, 93, 94, 95, 96, 97, 98};
        for (int i = 0; i < count; ++i)
            protocol.PridejChybu(i / 36, kCodes[static_cast<std::size_t>(i) % kCodes.size()],
                                 "(kand. č. " + std::to_string(i % 36 + 1) + ")");
        protocol.PridejChybu(0, 72);
        protocol.PridejChybu(3, 13);
    }
    std::vector<std::string> expectedCodes() const {
        std::vector<std::string> out;
        for (const checks::TChyba& f : protocol.findings())
            if (isFooterCode(f.Chyba)) out.push_back(std::to_string(f.Chyba));
        return out;
    }
};

// What a text call covers on the sheet.
struct Box {
    int left, top, right, bottom;
    bool overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

TEST_P(ErrorList, EveryCodeIsOnTheSheetInOrderAndClearOfEverythingElse) {
    fill(GetParam().findings);
    PatickaZapisu(ctx, values);

    const auto drawn = texts();
    ASSERT_GE(drawn.size(), 4u);
    const std::vector<TextCall> footer(drawn.begin(), drawn.begin() + 4);
    const std::vector<TextCall> rows(drawn.begin() + 4, drawn.end());
    const auto box = [&](const TextCall& t) {
        return Box{t.x, t.y, t.x + measure.width(t.text, t.font), t.y + emHeight(t.font.size)};
    };

    std::vector<std::string> listed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TextCall& row = rows[i];
        std::string text = row.text;
        if (i == 0) {
            ASSERT_TRUE(text.starts_with("Chyby č.: ")) << text;
            text.erase(0, std::string("Chyby č.: ").size());
            EXPECT_EQ(row.x, 200);
        } else {
            EXPECT_EQ(row.font.size, rows[0].font.size) << "one size for the whole list";
            EXPECT_EQ(row.x, 200 + measure.width("Chyby č.: ", row.font)) << "under the first code";
            EXPECT_GE(row.y, rows[i - 1].y + emHeight(row.font.size)) << "one line under the other";
        }
        const bool last = i + 1 == rows.size();
        EXPECT_EQ(text.ends_with(","), !last) << "a line the list goes on after ends with a comma: " << text;
        if (!last) text.pop_back();
        for (std::size_t from = 0;;) {
            const std::size_t comma = text.find(", ", from);
            listed.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
            if (comma == std::string::npos) break;
            from = comma + 2;
        }

        EXPECT_EQ(row.font.name, "Arial");
        const Box b = box(row);
        EXPECT_LE(b.right, 1900) << "row " << i;
        EXPECT_LE(b.bottom, 2915) << "row " << i << ": above the sheet's blank margin";
        EXPECT_GE(b.top, 2450 + 50) << "row " << i << ": below the last line of the page body";
        for (const TextCall& f : footer) EXPECT_FALSE(b.overlaps(box(f))) << "row " << i << " over " << f.text;
    }
    EXPECT_EQ(listed, expectedCodes()) << "every code, as often as the protocol holds it, in its order";

    switch (GetParam().first) {
        case FirstLine::None:
            EXPECT_TRUE(rows.empty());
            break;
        case FirstLine::BesideTheTimeStamp:
            ASSERT_FALSE(rows.empty());
            for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].y, 2735 + 35 * static_cast<int>(i));
            break;
        case FirstLine::Higher:
            ASSERT_FALSE(rows.empty());
            EXPECT_LT(rows[0].y, 2735);
            break;
    }
    for (const TextCall& row : rows) {
        if (GetParam().atFooterSize) {
            EXPECT_EQ(row.font.size, 26);
        } else {
            EXPECT_LT(row.font.size, 26);
        }
    }
    EXPECT_EQ(ctx.canvas.font.size, 26) << "the footer's size is left behind";
}

// With this measure the time stamp's line takes 12 two-digit codes and each
// line below it 17, so 70 codes still fit there whatever their widths; a
// list much longer than that used to be cut at the sheet's margin.
INSTANTIATE_TEST_SUITE_P(RecordFooter, ErrorList,
                         ::testing::Values(
                             ErrorListCase{"none", 0, FirstLine::None, true},
                             ErrorListCase{"one", 1, FirstLine::BesideTheTimeStamp, true},
                             ErrorListCase{"a_line", 12, FirstLine::BesideTheTimeStamp, true},
                             ErrorListCase{"a_few_lines", 60, FirstLine::BesideTheTimeStamp, true},
                             ErrorListCase{"five_lines", 70, FirstLine::BesideTheTimeStamp, true},
                             ErrorListCase{"the_list_that_used_to_be_cut", 150, FirstLine::Higher, true},
                             ErrorListCase{"four_hundred", 400, FirstLine::Higher, false},
                             ErrorListCase{"every_candidate_of_22_parties", 22 * 36, FirstLine::Higher, false},
                             // 78 findings a party: rules 12, 14, 15, 19, 41, 42, and 18 and 20 for each of 36.
                             ErrorListCase{"every_finding_of_60_parties", 60 * 78 + 16, FirstLine::Higher, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// 22 parties whose every candidate has more preferential votes than the
// party has votes, and a few more findings.
TEST_F(RecordFooter, ALongErrorListAsDrawn) {
    protocol.PridejChybu(0, 4);
    protocol.PridejChybu(0, 91);
    for (int party = 1; party <= 22; ++party)
        for (int candidate = 1; candidate <= 36; ++candidate)
            protocol.PridejChybu(party, 18, "(kand. č. " + std::to_string(candidate) + ")");
    protocol.PridejChybu(7, 20, "(31)");
    PatickaZapisu(ctx, values);
    talmorek::testing::expectGolden("record_footer_long_error_list.txt", recording());
}

TEST_F(RecordFooter, NoErrorLineWithoutAListedCode) {
    protocol.PridejChybu(0, 72);
    PatickaZapisu(ctx, values);
    EXPECT_EQ(texts().size(), 4u);
    EXPECT_TRUE(ctx.stav.ChybyVytisteny);
}

TEST_F(RecordFooter, NoDiacriticsModeAppliesToTheErrorLine) {
    protocol.PridejChybu(0, 4);
    ctx.stav.BezHacku = true;
    PatickaZapisu(ctx, values);
    EXPECT_EQ(lastText().text, "Chyby c.: 4");
}

TEST_F(RecordFooter, UsesTheStationsFontSuffix) {
    station.Pripona = " CE";
    PatickaZapisu(ctx, values);
    EXPECT_EQ(lastText().font.name, "Arial CE");
}

}  // namespace
}  // namespace talmorek::print

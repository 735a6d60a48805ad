#include "print/record_footer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "checks/catalogue_texts.h"
#include "core/print/print_fixture.h"
#include "print/primitives.h"

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

TEST_F(RecordFooter, AnErrorListTooLongForTheSheetIsCutShort) {
    for (int i = 0; i < 400; ++i) protocol.PridejChybu(3, 20);
    PatickaZapisu(ctx, values);
    const TextCall last = lastText();
    EXPECT_EQ(last.y, 2875) << "the fifth line is the last above the blank margin";
    EXPECT_TRUE(last.text.ends_with(", ...")) << last.text;
    EXPECT_LE(last.x + measure.width(last.text, last.font), 1900);
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

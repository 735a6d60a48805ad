#include "core/print/print_state.h"

#include <gtest/gtest.h>

#include "core/print/print_fixture.h"

namespace talmorek::print {
namespace {

using PrintState = PrintFixture;

TEST_F(PrintState, InitTiskSetsEveryDefault) {
    ctx.stav.LevyOkraj = 1;
    ctx.stav.PravyOkraj = 2800;
    ctx.stav.KrokRadku = 45;
    ctx.stav.DolniRadek = 1890;
    ctx.stav.HlidatZlom = true;
    ctx.stav.BezHacku = true;
    ctx.stav.CisloListu = 9;
    ctx.stav.PosledniList = 9;
    ctx.stav.VelikostPaticky = 20;
    ctx.stav.VelikostNadpisu = 34;
    ctx.stav.ChybyVytisteny = true;
    document.setOrientation(Orientation::Landscape);

    InitTisk(ctx, now);

    const TiskovyStav& s = ctx.stav;
    EXPECT_EQ(s.LevyOkraj, 200);
    EXPECT_EQ(s.PravyOkraj, 1900);
    EXPECT_EQ(s.HorniOkraj, 0);
    EXPECT_EQ(s.KrokRadku, 50);
    EXPECT_EQ(s.DolniRadek, 2700);
    EXPECT_EQ(s.Rezerva, 35);
    EXPECT_EQ(s.CisloListu, 1);
    EXPECT_EQ(s.PosledniList, 1);
    EXPECT_FALSE(s.HlidatZlom);
    EXPECT_EQ(s.VelikostTextu, 24);
    EXPECT_EQ(s.VelikostPaticky, 26);
    EXPECT_EQ(s.VelikostNadpisu, 32);
    EXPECT_FALSE(s.BezHacku);
    EXPECT_EQ(s.DruhVoleb, "PS");
    EXPECT_EQ(s.Verze, "1.00-17072021");
    EXPECT_FALSE(s.ChybyVytisteny);
    EXPECT_EQ(document.orientation(), Orientation::Portrait);
}

TEST_F(PrintState, InitTiskTakesTheDateAndTimeOfPrinting) {
    InitTisk(ctx, data::LocalDateTime{2021, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(ctx.stav.DatumTisku, "02.01.2021");
    EXPECT_EQ(ctx.stav.CasTisku, "03:04");
}

TEST_F(PrintState, InitTiskKeepsTheJobTitle) {
    document.setPrintJobTitle("PST4b.pdf");
    InitTisk(ctx, now);
    EXPECT_EQ(document.PrintJobTitle(), "PST4b.pdf");
}

TEST(PrintedTimeText, IsZeroPadded) {
    EXPECT_EQ(dateText(data::LocalDateTime{2021, 10, 8, 9, 5, 0, 0}), "08.10.2021");
    EXPECT_EQ(timeText(data::LocalDateTime{2021, 10, 8, 9, 5, 0, 0}), "09:05");
}

}  // namespace
}  // namespace talmorek::print

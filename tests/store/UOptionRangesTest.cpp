// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UOptionRanges.h"

#include "store/UDataFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(UOptionRangesTest, ABoundMovedWithinTenOfItsPartnerGoesBackToTenAway) {
    struct TCase {
        int Moved, Partner, Kept;
    };
    // Upper bounds over a stored lower bound.
    for (TCase c : {TCase{90, 80, 90},
                    {80, 80, 90},
                    {90, 90, 100},
                    {100, 0, 100},
                    {10, 0, 10},
                    {200, 190, 200},
                    {70, 80, 90}})
        EXPECT_EQ(CorrectUpperBound(c.Moved, c.Partner), c.Kept)
            << "upper " << c.Moved << " over " << c.Partner;
    // Lower bounds under a stored upper bound.
    for (TCase c : {TCase{80, 90, 80},
                    {90, 90, 80},
                    {90, 100, 90},
                    {100, 100, 90},
                    {0, 10, 0},
                    {0, 500, 0},
                    {190, 200, 190}})
        EXPECT_EQ(CorrectLowerBound(c.Moved, c.Partner), c.Kept)
            << "lower " << c.Moved << " under " << c.Partner;
}

// Every pair of a damaged file is taken back to its defaults; a usable pair stays, however
// close to its range's ends it lies.
TEST(UOptionRangesTest, TheFileRepairResetsUnusableGraphBoundPairsOnly) {
    struct TCase {
        const char* Name;
        int Pair;
        int Max, Min;
        bool Usable;
    };
    const TCase cases[] = {
        {"defaults", 0, 90, 50, true},
        {"widest Japanese speed", 0, 200, 0, true},
        {"narrowest at the top", 0, 200, 190, true},
        {"upper above its range", 0, 210, 50, false},
        {"lower below zero", 0, 90, -10, false},
        {"lower above its range", 0, 200, 200, false},
        {"gap of 9", 1, 50, 41, false},
        {"gap of 10", 1, 50, 40, true},
        {"bounds swapped", 2, 80, 100, false},
        {"match rate over 100", 2, 110, 80, false},
        {"upper below 10", 3, 5, 0, false},
        {"extreme values", 4, 2147483647, -2147483647 - 1, false},
        {"keystroke speed at its top", 5, 500, 490, true},
        {"keystroke speed beyond", 5, 510, 160, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::memset(&OptionRec, 0, sizeof OptionRec);
        ResetOptions(1280, 800);
        TOptionRec before = OptionRec;
        const TGraphBoundPair& pair = GraphBoundPairs[c.Pair];
        OptionRec.*pair.Max = c.Max;
        OptionRec.*pair.Min = c.Min;
        RepairOptions({});
        EXPECT_EQ(OptionRec.*pair.Max, c.Usable ? c.Max : pair.DefaultMax);
        EXPECT_EQ(OptionRec.*pair.Min, c.Usable ? c.Min : pair.DefaultMin);
        for (const TGraphBoundPair& other : GraphBoundPairs)
            if (&other != &pair) {
                EXPECT_EQ(OptionRec.*other.Max, before.*other.Max);
                EXPECT_EQ(OptionRec.*other.Min, before.*other.Min);
            }
    }
}

// The defaults themselves satisfy the rule the dialog keeps.
TEST(UOptionRangesTest, TheDefaultsLieInTheirRangesTenApart) {
    for (const TGraphBoundPair& pair : GraphBoundPairs) {
        EXPECT_GE(pair.DefaultMax - pair.DefaultMin, GraphBoundGap);
        EXPECT_EQ(pair.UpperLow, pair.LowerLow + GraphBoundGap);
        EXPECT_EQ(pair.UpperHigh, pair.LowerHigh + GraphBoundGap);
        EXPECT_GE(pair.DefaultMax, pair.UpperLow);
        EXPECT_LE(pair.DefaultMax, pair.UpperHigh);
        EXPECT_GE(pair.DefaultMin, pair.LowerLow);
        EXPECT_LE(pair.DefaultMin, pair.LowerHigh);
    }
}

} // namespace

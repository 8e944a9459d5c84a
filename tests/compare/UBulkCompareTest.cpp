// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UBulkCompare.h"

#include "platform/ShiftJis.h"
#include "tests/support/MemoryTextPane.h"

#include <gtest/gtest.h>

// The example's units a bulk comparison reports missed, for the statistics: typos and
// omissions of the lines compared, not the lines the learner never reached.

namespace {

using ShiftJis::FromUtf16;

struct TMissedCase {
    const char* Name;
    std::u16string Example, Typed;
    bool LineByLine;
    std::vector<std::u16string> Missed;
};

class BulkMissedTest : public testing::TestWithParam<TMissedCase> {};

TEST_P(BulkMissedTest, ReportsTheExamplesMissedUnits) {
    const TMissedCase& c = GetParam();
    TMemoryTextPane example, typed;
    example.SetText(FromUtf16(c.Example));
    typed.SetText(FromUtf16(c.Typed));
    TBulkCounts counts =
        c.LineByLine ? CompareLines(example, typed, CompMode::Chars, [](const std::string&, int) {})
                     : CompareWhole(example, typed, CompMode::Chars);
    std::vector<std::u16string> missed;
    for (const std::string& unit : counts.Missed)
        missed.push_back(ShiftJis::ToUtf16(unit));
    EXPECT_EQ(missed, c.Missed);
    EXPECT_LE(static_cast<int>(counts.Missed.size()), counts.MissCount);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Compare, BulkMissedTest, testing::Values(
    TMissedCase{"WholeOmission", u"あいう", u"あう", false, {u"い"}},
    TMissedCase{"WholeTypo", u"あいう", u"あえう", false, {u"い"}},
    TMissedCase{"WholeExtraOnly", u"あう", u"あいう", false, {}},
    TMissedCase{"LinesEachLine", u"あいう\r\nかきく", u"あう\r\nかく", true, {u"い", u"き"}},
    // The line never typed counts as missed in the result but names no character.
    TMissedCase{"LinesNeverReached", u"あい\r\nかき", u"あ", true, {u"い"}}
), [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

} // namespace

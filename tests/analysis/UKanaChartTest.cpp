// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UKanaChart.h"

#include "analysis/UKanaAnalysis.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A cell is typed: a unit of the romaji table, a symbol typed by one key, or ん and っ.
bool IsTypedUnit(std::u16string_view cell) {
    if (!KanaToRomaji(ShiftJis::FromUtf16(cell), 0).empty())
        return true;
    for (const UuHiraToRoman::TSymbolRow& row : UuHiraToRoman::SymbolTable) {
        if (cell == std::u16string_view(&row.Wide, 1))
            return true;
    }
    return cell == u"・";
}

TEST(KanaChartTest, SectionsCoverEveryRowOnceAndEveryCellIsATypedUnit) {
    int nextRow = 0;
    std::set<std::u16string_view> seen;
    for (const UKanaChart::TSection& section : UKanaChart::Sections) {
        EXPECT_EQ(section.FirstRow, nextRow) << ShiftJis::FromUtf16(section.Title);
        nextRow = section.FirstRow + section.RowCount;
        for (int r = section.FirstRow; r < nextRow; ++r) {
            for (int c = 0; c < UKanaChart::MaxColumns; ++c) {
                std::u16string_view cell = UKanaChart::Rows[r].Cells[c];
                if (cell.empty())
                    continue;
                SCOPED_TRACE(ShiftJis::FromUtf16(cell));
                EXPECT_LT(c, section.Columns);
                EXPECT_TRUE(seen.insert(cell).second) << "twice";
                EXPECT_TRUE(IsTypedUnit(cell));
                EXPECT_EQ(UKanaAnalysis::FoldUnit(cell), cell) << "not as the analysis counts it";
            }
        }
    }
    EXPECT_EQ(nextRow, static_cast<int>(std::size(UKanaChart::Rows)));
}

} // namespace

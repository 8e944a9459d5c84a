// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UCsv.h"

#include "tests/support/CsvReader.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvTest, FieldsAreQuotedOnlyWhereTheyMustBe) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::string Written;
    } cases[] = {
        {"plain", "SHI", "SHI"},
        {"empty", "", ""},
        {"Japanese", "しゃ", "しゃ"},
        {"comma", ",", "\",\""},
        {"quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line feed", "a\nb", "\"a\nb\""},
        {"carriage return", "a\rb", "\"a\rb\""},
        {"blanks alone stay", " a ", " a "},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(UCsv::Field(c.Text), c.Written) << c.Name;
        std::string csv;
        UCsv::AppendRow(csv, {c.Text, "x"});
        auto rows = ParseCsv(csv);
        ASSERT_EQ(rows.size(), 1u) << c.Name;
        EXPECT_EQ(rows[0], (std::vector<std::string>{c.Text, "x"})) << c.Name;
    }
}

} // namespace

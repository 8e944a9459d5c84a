// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/USqlite.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A kept statement is handed out again as if new: from its first row, with nothing bound, even
// when the caller before it stopped halfway or failed.
TEST(SqliteCachedTest, HandedOutAgainFromTheStartWithNothingBound) {
    TTempFolder folder;
    TSqlite db(folder.Path() / "kept.db", TSqlite::TOpen::ReadWriteCreate);
    db.Exec("CREATE TABLE t (n INTEGER, s TEXT); INSERT INTO t VALUES (1, 'a'), (2, 'b'),"
            " (3, NULL);");
    const char* select = "SELECT n FROM t WHERE s IS ?1 OR ?1 IS NULL ORDER BY n";

    TStatement& first = db.Cached(select);
    first.BindText(1, "b");
    ASSERT_TRUE(first.Step());
    EXPECT_EQ(first.Int(0), 2);
    // Left halfway, with its value bound.

    TStatement& again = db.Cached(select);
    EXPECT_EQ(&again, &first);
    ASSERT_TRUE(again.Step()); // nothing bound: every row
    EXPECT_EQ(again.Int(0), 1);
    again.Reset();

    // A failed run (a constraint) leaves the insert ready for the next caller.
    db.Exec("CREATE UNIQUE INDEX one_n ON t (n)");
    const char* insert = "INSERT INTO t (n, s) VALUES (?, ?)";
    EXPECT_THROW(db.Cached(insert).Bind(1, 1).BindText(2, "x").Run(), TSqliteError);
    db.Cached(insert).Bind(1, 4).Run();
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM t WHERE n = 4 AND s IS NULL"), 1);
}

} // namespace

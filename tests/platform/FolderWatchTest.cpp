// SPDX-License-Identifier: GPL-3.0-or-later
// The folder watch: one call after each burst of changes to a folder or its files, whoever
// makes them, also for a folder that appears later.

#include "platform/FolderWatch.h"

#include "platform/FileIo.h"
#include "tests/support/TempFolder.h"

#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(FolderWatchTest, EachBurstOfChangesIsReportedOnce) {
    TTempFolder root;
    const std::filesystem::path folder = root.Path() / "TextFolder";
    TFolderWatch watch;
    int calls = 0;
    watch.OnChanged = [&] { ++calls; };
    watch.Watch(QString::fromStdString(folder.string()));

    struct TCase {
        const char* Name;
        std::function<void()> Change;
    } cases[] = {
        {"the folder created", [&] { std::filesystem::create_directory(folder); }},
        {"a file saved whole", [&] { SaveWholeFile(folder / "a.txt", "one"); }},
        {"a file saved again", [&] { SaveWholeFile(folder / "a.txt", "two"); }},
        {"a file written in place", [&] { std::ofstream(folder / "a.txt", std::ios::app) << "3"; }},
        {"a file renamed", [&] { std::filesystem::rename(folder / "a.txt", folder / "b.txt"); }},
        {"a file deleted", [&] { std::filesystem::remove(folder / "b.txt"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        calls = 0;
        c.Change();
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
        QTest::qWait(TFolderWatch::QuietMs + 100); // nothing more comes
        EXPECT_EQ(calls, 1);
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// What the help command opens: Typorin.chm in the program folder, else the HTML manual.

#include "platform/Shell.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// A program folder and a manual beside it, both empty: the tests add the pages they need.
class HelpFolders : public testing::Test {
protected:
    HelpFolders() {
        fs::create_directories(Program);
        fs::create_directories(Manual / "en");
    }

    static void Page(const fs::path& path) { std::ofstream(path) << "<html></html>"; }

    // What the help command opens for `page` of the manual.
    std::string Opened(const QString& page, bool english = false) const {
        return HelpUrl(Program, Shared, page, english).toLocalFile().toStdString();
    }

    QTemporaryDir FDir;
    const fs::path Root = FDir.path().toStdString();
    const fs::path Program = Root / "program";
    const fs::path Shared = Root / "shared";
    const fs::path Manual = Shared / "help";
};

} // namespace

TEST(HelpUrlTest, PrefersTheHelpFileThenTheManual) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path program = root / "program";
    const fs::path shared = root / "shared";
    const fs::path chm = program / "Typorin.chm";
    const fs::path manual = shared / "help" / "index.html";
    struct {
        const char* Name;
        bool HasChm;
        bool HasManual;
        fs::path Expected; // empty: nothing to open
    } cases[] = {
        {"neither", false, false, {}},
        {"manual only", false, true, manual},
        {"help file only", true, false, chm},
        {"both", true, true, chm},
    };
    for (const auto& c : cases) {
        fs::remove_all(program);
        fs::remove_all(shared);
        fs::create_directories(program);
        fs::create_directories(manual.parent_path());
        if (c.HasChm)
            std::ofstream(chm) << "help";
        if (c.HasManual)
            std::ofstream(manual) << "<html></html>";
        QUrl url = HelpUrl(program, shared);
        if (c.Expected.empty())
            EXPECT_TRUE(url.isEmpty()) << c.Name << ": " << url.toString().toStdString();
        else
            EXPECT_EQ(url.toLocalFile().toStdString(), c.Expected.string()) << c.Name;
    }
}

// A window's F1 opens its own page of the manual; the contents when that page is missing; the
// help file whatever the page when there is one.
TEST_F(HelpFolders, AWindowsPageOrTheContents) {
    Page(Manual / "index.html");
    Page(Manual / "editor.html");
    EXPECT_EQ(Opened(HelpEditorPage), (Manual / "editor.html").string());
    EXPECT_EQ(Opened(HelpRecordsPage), (Manual / "index.html").string());
    std::ofstream(Program / "Typorin.chm") << "help";
    EXPECT_EQ(Opened(HelpEditorPage), (Program / "Typorin.chm").string());
}

TEST_F(HelpFolders, AWindowsPageOpensWhereTheManualHasIt) {
    Page(Manual / "index.html");
    Page(Manual / "analysis.html");
    Page(Shared / "outside.html");
    struct {
        const char* Name;
        QString Page;
        fs::path Expected;
    } cases[] = {
        {"the page", QStringLiteral("analysis.html"), Manual / "analysis.html"},
        {"no page", QString(), Manual / "index.html"},
        {"a missing page", QStringLiteral("missing.html"), Manual / "index.html"},
        {"a name with a folder", QStringLiteral("../outside.html"), Manual / "index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Opened(c.Page), c.Expected.string()) << c.Name;
    std::ofstream(Program / "Typorin.chm") << "help";
    EXPECT_EQ(Opened(QStringLiteral("analysis.html")), (Program / "Typorin.chm").string())
        << "the help file, where there is one, has every page";
}

// In English the English manual comes first, page by page, then the Japanese one.
TEST_F(HelpFolders, InEnglishTheEnglishPageFirst) {
    for (const char* page : {"index.html", "editor.html", "records.html", "en/editor.html"})
        Page(Manual / page);
    EXPECT_EQ(Opened(HelpEditorPage, true), (Manual / "en" / "editor.html").string());
    EXPECT_EQ(Opened(HelpEditorPage, false), (Manual / "editor.html").string());
    EXPECT_EQ(Opened(HelpRecordsPage, true), (Manual / "records.html").string())
        << "no English page and no English contents: the Japanese page";
    Page(Manual / "en" / "index.html");
    EXPECT_EQ(Opened(HelpRecordsPage, true), (Manual / "en" / "index.html").string())
        << "the English contents before a Japanese page";
    EXPECT_EQ(Opened(QStringLiteral("../secret.html"), true),
              (Manual / "en" / "index.html").string());
}

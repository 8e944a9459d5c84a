// SPDX-License-Identifier: GPL-3.0-or-later
// What the help command opens: Typorin.chm in the program folder, else the HTML manual.

#include "platform/Shell.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

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
TEST(HelpUrlTest, AWindowsPageOrTheContents) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path program = root / "program";
    const fs::path manual = root / "shared" / "help";
    fs::create_directories(program);
    fs::create_directories(manual);
    std::ofstream(manual / "index.html") << "<html></html>";
    std::ofstream(manual / "editor.html") << "<html></html>";
    EXPECT_EQ(HelpUrl(program, root / "shared", HelpEditorPage).toLocalFile().toStdString(),
              (manual / "editor.html").string());
    EXPECT_EQ(HelpUrl(program, root / "shared", HelpRecordsPage).toLocalFile().toStdString(),
              (manual / "index.html").string());
    std::ofstream(program / "Typorin.chm") << "help";
    EXPECT_EQ(HelpUrl(program, root / "shared", HelpEditorPage).toLocalFile().toStdString(),
              (program / "Typorin.chm").string());
}

TEST(HelpUrlTest, AWindowsPageOpensWhereTheManualHasIt) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path program = root / "program";
    const fs::path help = root / "shared" / "help";
    fs::create_directories(program);
    fs::create_directories(help);
    std::ofstream(help / "index.html") << "<html></html>";
    std::ofstream(help / "analysis.html") << "<html></html>";
    std::ofstream(root / "shared" / "outside.html") << "<html></html>";
    struct {
        const char* Name;
        QString Page;
        fs::path Expected;
    } cases[] = {
        {"the page", QStringLiteral("analysis.html"), help / "analysis.html"},
        {"no page", QString(), help / "index.html"},
        {"a missing page", QStringLiteral("missing.html"), help / "index.html"},
        {"a name with a folder", QStringLiteral("../outside.html"), help / "index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpUrl(program, root / "shared", c.Page).toLocalFile().toStdString(),
                  c.Expected.string())
            << c.Name;
    std::ofstream(program / "Typorin.chm") << "help";
    EXPECT_EQ(HelpUrl(program, root / "shared", QStringLiteral("analysis.html"))
                  .toLocalFile()
                  .toStdString(),
              (program / "Typorin.chm").string())
        << "the help file, where there is one, has every page";
}

// In English the English manual comes first, page by page, then the Japanese one.
TEST(HelpUrlTest, InEnglishTheEnglishPageFirst) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path program = root / "program";
    const fs::path manual = root / "shared" / "help";
    fs::create_directories(program);
    fs::create_directories(manual / "en");
    for (const char* page : {"index.html", "editor.html", "records.html", "en/editor.html"})
        std::ofstream(manual / page) << "<html></html>";
    auto opened = [&](const QString& page, bool english) {
        return HelpUrl(program, root / "shared", page, english).toLocalFile().toStdString();
    };
    EXPECT_EQ(opened(HelpEditorPage, true), (manual / "en" / "editor.html").string());
    EXPECT_EQ(opened(HelpEditorPage, false), (manual / "editor.html").string());
    EXPECT_EQ(opened(HelpRecordsPage, true), (manual / "records.html").string())
        << "no English page and no English contents: the Japanese page";
    std::ofstream(manual / "en" / "index.html") << "<html></html>";
    EXPECT_EQ(opened(HelpRecordsPage, true), (manual / "en" / "index.html").string())
        << "the English contents before a Japanese page";
    EXPECT_EQ(opened(QStringLiteral("../secret.html"), true),
              (manual / "en" / "index.html").string());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's register class: reads entries like the main window's reader and also replaces,
// appends and deletes them. Every write reads the whole file again, builds the new lines,
// renumbers the headers 0001, 0002 … and saves the whole file through the atomic save.
//
// The entry read last is remembered with its lines. Before it is replaced or deleted the file
// is read again and the entry found there: at its remembered line, or, when another program
// moved it, at the one place where the same header and the same lines stand. When it cannot be
// found with certainty the write is refused and nothing is written, so a save never removes or
// repeats lines of another entry.

#include "platform/ShiftJis.h"
#include "registers/UuRegi.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace UuEditRegi {

class TRegi {
public:
    // The entry read last, in the register's own encoding (Shift_JIS, or UTF-8 for a UTF-8
    // register). An empty Title means that no entry is open.
    std::string Header;
    std::string Title;
    std::string Text; // body lines joined with CR LF, trailing bytes 0–32 cut, then CR LF
    int StartIdx = 0; // the line of its header
    int EndIdx = 0;   // its last line (StartIdx when it has no body lines)
    ShiftJis::TTextEncoding Encoding = ShiftJis::TTextEncoding::ShiftJis;

    static bool IsHeader(std::string_view line) { return UuRegi::TRegi::IsHeader(line); }

    // The register file names of `folder`, sorted; none when the folder does not exist.
    static std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder);

    // The entries of the register, as the main window lists them.
    static std::vector<UuRegi::TEntryItem> LoadEntries(const std::filesystem::path& fileName);

    // Reads lines idx to lastIdx of `fileName` as the entry read last. Throws when the file
    // cannot be read, line idx does not exist (nothing changes then) or lastIdx lies beyond the
    // last line.
    void ReadSentence(int idx, int lastIdx, const std::filesystem::path& fileName);

    // Replaces the body lines of the entry read last by `newText` (trailing blanks and line
    // breaks cut), followed by one empty line, and remembers the entry's new lines.
    void ReplaceSentence(const std::filesystem::path& fileName, const QString& newText);

    // Adds `block` (see EntryBlock) at the end of the register, after an empty line when the
    // file has lines. Throws when the register does not exist: it is not created.
    void AppendSentence(const std::filesystem::path& fileName, const QString& block);

    // Removes the entry read last, header included, and empties Header, Title and Text.
    void DeleteSentence(const std::filesystem::path& fileName);

    // Rewrites the number of every header line as 0001, 0002 … in order; the 10 000th gets
    // 0000. Flags and titles are kept, so every line keeps its length.
    static void Renumber(std::vector<std::string>& lines, ShiftJis::TTextEncoding encoding);

    // "FF<0000>" and the title cut to 24 Shift_JIS bytes (never inside a character), CR LF, the
    // text without trailing blanks and line breaks.
    static QString EntryBlock(const QString& title, const QString& text);

    // Title and Text as text.
    QString TitleText() const { return ShiftJis::Decode(Title, Encoding); }
    QString TextText() const { return ShiftJis::Decode(Text, Encoding); }

    // The register of the entry read last; empty when none is remembered.
    const std::filesystem::path& EntryFile() const { return FFileName; }

private:
    // The line where the remembered entry starts in `file` now; throws when it is not certain.
    int Locate(const UuRegi::TRegiFile& file, const std::filesystem::path& fileName) const;

    std::filesystem::path FFileName;
    std::vector<std::string> FLines; // lines StartIdx to EndIdx as last read or written
};

} // namespace UuEditRegi

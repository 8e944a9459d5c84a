// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sentence registers: the Shift_JIS text files of titled entries kept in TextFolder, and the
// reader the main window lists and reads them with.
//
// A register is read as lines (split at CR LF, a lone CR or a lone LF), numbered from 0. An entry
// opens with a header line such as "TF<0001>朝の散歩": the check mark 'T' or 'F', a second flag
// 'T' or 'F', "<", four digits, ">", then a title of 1 to 24 bytes. Its body lines follow up to
// the next header or the end of the file. Lines before the first header belong to no entry.
// Every writer saves the whole file with CR LF after every line.
//
// The rules here (header test, listing, reading lines and texts) are shared with the editor's
// register class, which lists and reads exactly as this reader does.

#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace UuRegi {

inline constexpr std::size_t MinHeaderBytes = 9;  // "FF<0001>" and a title of one byte
inline constexpr std::size_t MaxHeaderBytes = 32; // a title of 24 bytes
inline constexpr std::size_t TitleOffset = 8;     // the title starts at byte 9 (1-based)

// A register typed by hand stays far below this. A larger file (a log or an image renamed to
// .txt) is refused with an error instead of being read whole; the limit also keeps every line
// number within an int.
inline constexpr std::size_t MaxRegisterBytes = 16 * 1024 * 1024;

// One entry of a register as the entry list shows it.
struct TEntryItem {
    std::string Caption; // the title, Shift_JIS bytes
    bool Checked = false;
    // Name=Value lines: "Idx=" and the line of the header, "LastIdx=" and the entry's last line.
    std::vector<std::string> Data;
};

// The register folder beside the executable.
std::filesystem::path RegisterFolder();

// A register as stored. Registers are Shift_JIS; one saved as UTF-8 (with or without a
// byte-order mark) keeps its lines in UTF-8, so that every write keeps it UTF-8 and loses no
// character. Header rules measure a line in Shift_JIS bytes whatever the encoding.
struct TRegiFile {
    ShiftJis::TTextEncoding Encoding = ShiftJis::TTextEncoding::ShiftJis;
    std::vector<std::string> Lines; // in Encoding, without byte-order mark
};

// Throws when the file cannot be read or is larger than MaxRegisterBytes.
TRegiFile ReadRegiFile(const std::filesystem::path& fileName);

// Saves the lines with CR LF after every line, in the file's encoding (its byte-order mark
// first when it had one), through the atomic save.
void SaveRegiFile(const std::filesystem::path& fileName, const TRegiFile& file);

// Whether a stored line opens an entry: TRegi::IsHeader of the line in Shift_JIS.
bool IsHeaderIn(ShiftJis::TTextEncoding encoding, std::string_view line);

// The file `fileName` split into lines, in Shift_JIS (a UTF-8 register converted). Throws when
// the file cannot be read or is larger than MaxRegisterBytes.
std::vector<std::string> ReadLines(const std::filesystem::path& fileName);

// Bytes 9 to the end of a header line; empty when the line is shorter.
std::string TitleOf(std::string_view header);

// The entries of `lines` (stored in `encoding`) in file order. Each ends at the line before the
// next header, the last one at the last line, so trailing empty lines belong to it.
std::vector<TEntryItem>
ListEntries(const std::vector<std::string>& lines,
            ShiftJis::TTextEncoding encoding = ShiftJis::TTextEncoding::ShiftJis);

// Line `idx` of `lines`. Throws, naming `fileName`, when there is no such line.
const std::string& HeaderLine(const std::vector<std::string>& lines, int idx,
                              const std::filesystem::path& fileName);

// Lines idx + 1 to lastIdx, each followed by CR LF, then without trailing bytes 0–32; empty when
// lastIdx <= idx (a lastIdx of −1 included). Throws, naming `fileName`, when lastIdx > idx lies
// beyond the last line.
std::string BodyText(const std::vector<std::string>& lines, int idx, int lastIdx,
                     const std::filesystem::path& fileName);

// The value after "name=" in the first line of `data` that has this name, as an integer; −1
// when no line has the name or its value is not a decimal int (such as "", "12a", "+3").
// Example: IntValue({"Idx=4", "LastIdx=9"}, "LastIdx") == 9.
int IntValue(const std::vector<std::string>& data, std::string_view name);

// The message the windows show for a missing register folder: the folder and " がありません。".
QString MissingFolderMessage(const std::filesystem::path& folder);

// The first line of the box the windows show when a sentence or a register's sentence list
// cannot be read.
inline QString ReadErrorText() {
    return QCoreApplication::translate("UuRegi", "文の読み取り中のエラー\r\n");
}

// Sets (checked) or clears the check mark of the entry whose header is line `idx`: its first
// byte becomes 'T' or 'F' and the whole file is saved again with CR LF after every line. The
// file may have been changed by another program since it was listed, so the mark is written
// only when line `idx` is still a header; otherwise this throws and leaves the file untouched.
void WriteCheckMark(const std::filesystem::path& fileName, int idx, bool checked);

// The main window's reader: lists the registers of a folder and the entries of a register, and
// reads one entry's title and text.
class TRegi {
public:
    std::string Title; // Shift_JIS: the title of the entry read last
    std::string Text;  // Shift_JIS: its body lines joined with CR LF, trailing bytes 0–32 cut

    // A line opens an entry when it is 9 to 32 bytes long and reads T|F, T|F, '<', four ASCII
    // digits, '>' and a title. "FF<0001>" alone (8 bytes) and "XF<0001>a" are body lines.
    static bool IsHeader(std::string_view line);

    // The names (with extension) of the regular files in `folder` whose names end in ".txt" in
    // any case ("a.TXT" too), sorted by their bytes. Directories, broken links and hidden files
    // (a name beginning with '.') are left out. Nothing (std::nullopt) when `folder` does not
    // exist or is no directory: the caller shows MissingFolderMessage. Throws when the folder
    // exists but cannot be listed. Names are the bytes on disk (UTF-8 in practice).
    static std::optional<std::vector<std::filesystem::path>>
    ListFiles(const std::filesystem::path& folder);

    // The entries of the register `fileName`. Throws when the file cannot be read.
    static std::vector<TEntryItem> LoadEntries(const std::filesystem::path& fileName);

    // Reads the entry of lines idx to lastIdx of `fileName` into Title and Text. Throws when the
    // file cannot be read, line idx does not exist (Title and Text keep their values) or lastIdx
    // lies beyond the last line (Title is read, Text keeps its value).
    void ReadSentence(int idx, int lastIdx, const std::filesystem::path& fileName);
};

} // namespace UuRegi

// SPDX-License-Identifier: GPL-3.0-or-later
#include "registers/UuRegi.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <system_error>

namespace UuRegi {

namespace {

constexpr bool IsFlag(char c) {
    return c == 'T' || c == 'F';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "a.txt", "A.TXT" and "a.Txt" name registers; ".txt", "._a.txt" (hidden) and "a.txt~" do not.
bool IsRegisterName(std::string_view name) {
    constexpr std::string_view extension = ".txt";
    if (name.size() <= extension.size() || name.front() == '.')
        return false;
    std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(),
                      [](char a, char b) { return AsciiLower(a) == b; });
}

bool HasLine(const std::vector<std::string>& lines, int idx) {
    return idx >= 0 && static_cast<std::size_t>(idx) < lines.size();
}

std::string LineCount(std::size_t count) {
    return Utf8Of(
        FillArgs(TrText("UuRegi", "（ファイルは %1 行です）"), {Utf16Of(std::to_string(count))}));
}

} // namespace

std::filesystem::path RegisterFolder() {
    return ProgramFolder() / "TextFolder";
}

std::vector<std::string> ReadLines(const std::filesystem::path& fileName) {
    return ShiftJis::SplitLines(ShiftJis::FromTextFile(ReadWholeFile(fileName, MaxRegisterBytes)));
}

TRegiFile ReadRegiFile(const std::filesystem::path& fileName) {
    std::string bytes = ReadWholeFile(fileName, MaxRegisterBytes);
    TRegiFile file;
    file.Encoding = ShiftJis::DetectEncoding(bytes);
    file.Lines = ShiftJis::SplitLines(ShiftJis::WithoutBom(bytes, file.Encoding));
    return file;
}

void SaveRegiFile(const std::filesystem::path& fileName, const TRegiFile& file) {
    std::string bytes = file.Encoding == ShiftJis::TTextEncoding::Utf8Bom ? "\xEF\xBB\xBF" : "";
    bytes += ShiftJis::JoinLines(file.Lines);
    SaveWholeFile(fileName, bytes);
}

bool IsHeaderIn(ShiftJis::TTextEncoding encoding, std::string_view line) {
    if (encoding == ShiftJis::TTextEncoding::ShiftJis)
        return TRegi::IsHeader(line);
    // The first eight bytes are ASCII in both encodings; only a candidate is converted.
    if (line.size() < MinHeaderBytes || !TRegi::IsHeader(line.substr(0, MinHeaderBytes)))
        return false;
    return TRegi::IsHeader(ShiftJis::FromQString(ShiftJis::Decode(line, encoding)));
}

std::string TitleOf(std::string_view header) {
    return std::string(header.substr(std::min(header.size(), TitleOffset)));
}

std::vector<TEntryItem> ListEntries(const std::vector<std::string>& lines,
                                    ShiftJis::TTextEncoding encoding) {
    std::vector<TEntryItem> items;
    auto closeLast = [&items](std::size_t lastIdx) {
        items.back().Data.push_back("LastIdx=" + std::to_string(lastIdx));
    };
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (!IsHeaderIn(encoding, lines[n]))
            continue;
        if (!items.empty())
            closeLast(n - 1);
        items.push_back({TitleOf(lines[n]), lines[n][0] == 'T', {"Idx=" + std::to_string(n)}});
    }
    if (!items.empty())
        closeLast(lines.size() - 1);
    return items;
}

const std::string& HeaderLine(const std::vector<std::string>& lines, int idx,
                              const std::filesystem::path& fileName) {
    if (!HasLine(lines, idx))
        throw TFileError(
            fileName,
            Utf8Of(FillArgs(TrText("UuRegi", "%1 行目から始まる文がありません%2。"),
                            {Utf16Of(std::to_string(idx + 1)), Utf16Of(LineCount(lines.size()))})));
    return lines[idx];
}

std::string BodyText(const std::vector<std::string>& lines, int idx, int lastIdx,
                     const std::filesystem::path& fileName) {
    if (lastIdx <= idx)
        return {};
    if (!HasLine(lines, lastIdx))
        throw TFileError(
            fileName,
            Utf8Of(FillArgs(TrText("UuRegi", "%1 行目からの文は %2 行目までのはずですが、"
                                             "ファイルが短くなっています%3。"),
                            {Utf16Of(std::to_string(idx + 1)), Utf16Of(std::to_string(lastIdx + 1)),
                             Utf16Of(LineCount(lines.size()))})));
    std::string text;
    for (int n = std::max(idx + 1, 0); n <= lastIdx; ++n) {
        text += lines[n];
        text += "\r\n";
    }
    return ShiftJis::TrimRight(text);
}

int IntValue(const std::vector<std::string>& data, std::string_view name) {
    for (std::string_view line : data) {
        if (line.size() <= name.size() || !line.starts_with(name) || line[name.size()] != '=')
            continue;
        std::string_view value = line.substr(name.size() + 1);
        int number = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        return error == std::errc() && end == value.data() + value.size() ? number : -1;
    }
    return -1;
}

QString MissingFolderMessage(const std::filesystem::path& folder) {
    return QCoreApplication::translate("UuRegi", "%1 がありません。")
        .arg(QFile::decodeName(folder.c_str()));
}

void WriteCheckMark(const std::filesystem::path& fileName, int idx, bool checked) {
    TRegiFile file = ReadRegiFile(fileName);
    std::vector<std::string>& lines = file.Lines;
    if (!HasLine(lines, idx) || !IsHeaderIn(file.Encoding, lines[idx]))
        throw TFileError(
            fileName,
            Utf8Of(FillArgs(TrText("UuRegi", "%1 行目が文の見出しではなくなっています。"
                                             "文の一覧を作ったあとでファイルが変わりました。"),
                            {Utf16Of(std::to_string(idx + 1))})));
    lines[idx][0] = checked ? 'T' : 'F';
    SaveRegiFile(fileName, file);
}

bool TRegi::IsHeader(std::string_view line) {
    return line.size() >= MinHeaderBytes && line.size() <= MaxHeaderBytes && IsFlag(line[0]) &&
           IsFlag(line[1]) && line[2] == '<' &&
           std::all_of(line.begin() + 3, line.begin() + 7, IsDigit) && line[7] == '>';
}

std::optional<std::vector<std::filesystem::path>>
TRegi::ListFiles(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return std::nullopt;
    std::vector<std::filesystem::path> names;
    try {
        for (const std::filesystem::directory_entry& entry :
             std::filesystem::directory_iterator(folder)) {
            std::filesystem::path name = entry.path().filename();
            // is_regular_file follows links: a link to a register lists, a broken one does not.
            if (IsRegisterName(name.native()) && entry.is_regular_file(error))
                names.push_back(std::move(name));
        }
    } catch (const std::filesystem::filesystem_error& e) {
        throw TFileError(folder, TrUtf8("UuRegi", "登録ファイルの一覧を作れません。") +
                                     FileErrorReason(e.code().value()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<TEntryItem> TRegi::LoadEntries(const std::filesystem::path& fileName) {
    return ListEntries(ReadLines(fileName));
}

void TRegi::ReadSentence(int idx, int lastIdx, const std::filesystem::path& fileName) {
    std::vector<std::string> lines = ReadLines(fileName);
    Title = TitleOf(HeaderLine(lines, idx, fileName));
    Text = BodyText(lines, idx, lastIdx, fileName);
}

} // namespace UuRegi

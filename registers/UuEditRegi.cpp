// SPDX-License-Identifier: GPL-3.0-or-later
#include "registers/UuEditRegi.h"

#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace UuEditRegi {

namespace {

// The same line, or the same header whose flags or number another write has changed (a check
// mark set in the main window, a renumbering): headers match by title.
bool SameLine(const std::string& a, const std::string& b, ShiftJis::TTextEncoding encoding) {
    if (a == b)
        return true;
    return a.size() == b.size() && UuRegi::IsHeaderIn(encoding, a) &&
           UuRegi::IsHeaderIn(encoding, b) && UuRegi::TitleOf(a) == UuRegi::TitleOf(b);
}

[[noreturn]] void RefuseUnlocated(const std::filesystem::path& fileName, const QString& title) {
    throw std::runtime_error(
        (QCoreApplication::translate(
             "UuEditRegi",
             "文「%1」が %2 の中で確かめられません。\r\n"
             "ほかのプログラムでファイルが変更されたようです。何も書きこみませんでした。"
             "\r\n文を開きなおしてから操作してください。")
             .arg(title, ToDisplayPath(fileName)))
            .toStdString());
}

} // namespace

std::vector<std::filesystem::path> TRegi::ListFiles(const std::filesystem::path& folder) {
    return UuRegi::TRegi::ListFiles(folder).value_or(std::vector<std::filesystem::path>{});
}

std::vector<UuRegi::TEntryItem> TRegi::LoadEntries(const std::filesystem::path& fileName) {
    return UuRegi::TRegi::LoadEntries(fileName);
}

void TRegi::ReadSentence(int idx, int lastIdx, const std::filesystem::path& fileName) {
    UuRegi::TRegiFile file = UuRegi::ReadRegiFile(fileName);
    const std::string& header = UuRegi::HeaderLine(file.Lines, idx, fileName);
    std::string text = UuRegi::BodyText(file.Lines, idx, lastIdx, fileName);
    Header = header;
    Title = UuRegi::TitleOf(header);
    Text = text + "\r\n";
    StartIdx = idx;
    EndIdx = std::max(idx, lastIdx);
    Encoding = file.Encoding;
    FFileName = fileName;
    FLines.assign(file.Lines.begin() + StartIdx, file.Lines.begin() + EndIdx + 1);
}

int TRegi::Locate(const UuRegi::TRegiFile& file, const std::filesystem::path& fileName) const {
    if (FLines.empty() || FFileName != fileName)
        throw std::runtime_error(
            (QCoreApplication::translate("UuEditRegi", "%1 の文が開かれていません。")
                 .arg(ToDisplayPath(fileName)))
                .toStdString());
    const std::vector<std::string>& lines = file.Lines;
    // The remembered lines stand at `at`, and the entry ends there: a header or the end follows.
    auto standsAt = [&](std::size_t at) {
        if (at + FLines.size() > lines.size())
            return false;
        for (std::size_t k = 0; k < FLines.size(); ++k)
            if (!SameLine(FLines[k], lines[at + k], file.Encoding))
                return false;
        std::size_t after = at + FLines.size();
        return after == lines.size() || UuRegi::IsHeaderIn(file.Encoding, lines[after]);
    };
    if (StartIdx >= 0 && standsAt(static_cast<std::size_t>(StartIdx)))
        return StartIdx;
    int found = -1;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (!UuRegi::IsHeaderIn(file.Encoding, lines[n]) || !standsAt(n))
            continue;
        if (found >= 0)
            RefuseUnlocated(fileName, TitleText());
        found = static_cast<int>(n);
    }
    if (found < 0)
        RefuseUnlocated(fileName, TitleText());
    return found;
}

void TRegi::ReplaceSentence(const std::filesystem::path& fileName, const QString& newText) {
    UuRegi::TRegiFile file = UuRegi::ReadRegiFile(fileName);
    int at = Locate(file, fileName);
    // Encoded before anything is written: a character the register cannot hold refuses the save.
    std::vector<std::string> body = ShiftJis::SplitLines(
        ShiftJis::Encode(ShiftJis::WithCrLf(ShiftJis::TrimTextRight(newText)), file.Encoding));
    body.push_back({});

    std::vector<std::string> lines(file.Lines.begin(), file.Lines.begin() + at + 1);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), file.Lines.begin() + at + static_cast<int>(FLines.size()),
                 file.Lines.end());
    Renumber(lines, file.Encoding);
    UuRegi::TRegiFile saved{file.Encoding, std::move(lines)};
    UuRegi::SaveRegiFile(fileName, saved);

    StartIdx = at;
    EndIdx = at + static_cast<int>(body.size());
    Header = saved.Lines[at];
    Encoding = file.Encoding;
    FLines.assign(saved.Lines.begin() + StartIdx, saved.Lines.begin() + EndIdx + 1);
}

void TRegi::AppendSentence(const std::filesystem::path& fileName, const QString& block) {
    UuRegi::TRegiFile file = UuRegi::ReadRegiFile(fileName);
    // The header and the text are encoded apart, so that a character the register cannot hold
    // is reported in the title or at its line of the text, line 1 being the text's first.
    const QString lines = ShiftJis::WithCrLf(block);
    const qsizetype headerEnd = lines.indexOf(QStringLiteral("\r\n"));
    const QString header = lines.left(headerEnd);
    constexpr auto TitleStart = static_cast<qsizetype>(UuRegi::TitleOffset); // after "FF<0000>"
    const QString text = headerEnd < 0 ? QString() : lines.mid(headerEnd + 2);
    if (qsizetype bad = ShiftJis::FirstUnmappable(header);
        bad >= 0 && file.Encoding == ShiftJis::TTextEncoding::ShiftJis)
        throw ShiftJis::TUnmappableError::InTitle(header.mid(TitleStart), bad - TitleStart);
    std::vector<std::string> added{ShiftJis::Encode(header, file.Encoding)};
    for (std::string& line : ShiftJis::SplitLines(ShiftJis::Encode(text, file.Encoding)))
        added.push_back(std::move(line));
    bool separated = !file.Lines.empty();
    // The empty line before the new entry belongs to the entry that was last.
    bool lastEntryGrows = separated && fileName == FFileName && !FLines.empty() &&
                          EndIdx == static_cast<int>(file.Lines.size()) - 1;
    if (separated)
        file.Lines.emplace_back();
    file.Lines.insert(file.Lines.end(), added.begin(), added.end());
    Renumber(file.Lines, file.Encoding);
    UuRegi::SaveRegiFile(fileName, file);
    if (lastEntryGrows) {
        FLines.emplace_back();
        ++EndIdx;
    }
}

void TRegi::DeleteSentence(const std::filesystem::path& fileName) {
    UuRegi::TRegiFile file = UuRegi::ReadRegiFile(fileName);
    int at = Locate(file, fileName);
    file.Lines.erase(file.Lines.begin() + at,
                     file.Lines.begin() + at + static_cast<int>(FLines.size()));
    Renumber(file.Lines, file.Encoding);
    UuRegi::SaveRegiFile(fileName, file);
    Header.clear();
    Title.clear();
    Text.clear();
    FLines.clear();
}

void TRegi::Renumber(std::vector<std::string>& lines, ShiftJis::TTextEncoding encoding) {
    int k = 0;
    for (std::string& line : lines) {
        if (!UuRegi::IsHeaderIn(encoding, line))
            continue;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", (k + 1) % 10000);
        line.replace(3, 4, digits, 4);
        ++k;
    }
}

QString TRegi::EntryBlock(const QString& title, const QString& text) {
    constexpr std::size_t maxTitleBytes = UuRegi::MaxHeaderBytes - UuRegi::TitleOffset;
    qsizetype end = 0;
    std::size_t bytes = 0;
    while (end < title.size()) {
        qsizetype length = title[end].isHighSurrogate() && end + 1 < title.size() ? 2 : 1;
        std::size_t size = ShiftJis::EncodedLength(title[end].unicode());
        if (bytes + size > maxTitleBytes)
            break;
        bytes += size;
        end += length;
    }
    return QStringLiteral("FF<0000>") + title.left(end) + QStringLiteral("\r\n") +
           ShiftJis::TrimTextRight(text);
}

} // namespace UuEditRegi

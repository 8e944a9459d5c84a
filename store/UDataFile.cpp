// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UDataFile.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "store/UOptionRanges.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

TOptionRec OptionRec;
TPracticeRec PracticeRecs[RecordCount];

namespace {

constexpr int DefaultMainWidth = 620, DefaultMainHeight = 410;
constexpr int DefaultGraphWidth = 635, DefaultGraphHeight = 488;
constexpr int DefaultEditorWidth = 430, DefaultEditorHeight = 323;

// Ranges of the settings dialog, and the defaults the reset step writes.
struct TRange {
    std::int32_t TOptionRec::*Field;
    int Min, Max, Default;
};
constexpr TRange SettingRanges[] = {
    {&TOptionRec::TouchFontSize, TouchFontSizeMin, TouchFontSizeMax, TouchFontSizeDefault},
    {&TOptionRec::FontSize, FontSizeMin, FontSizeMax, FontSizeDefault},
    {&TOptionRec::WrapColJp, WrapColJpMin, WrapColJpMax, WrapColJpDefault},
    {&TOptionRec::WrapColEn, WrapColEnMin, WrapColEnMax, WrapColEnDefault},
};

// Windows smaller than this cannot show their controls.
constexpr int MinUsableWidth = 100, MinUsableHeight = 100;

} // namespace

std::string RecordTitle(const TPracticeRec& rec) {
    int length = std::min<int>(rec.Title[0], TitleBytes);
    return std::string(reinterpret_cast<const char*>(rec.Title + 1), length);
}

void SetRecordTitle(TPracticeRec& rec, std::string_view title) {
    std::size_t length = std::min<std::size_t>(title.size(), TitleBytes);
    rec.Title[0] = static_cast<std::uint8_t>(length);
    std::memcpy(rec.Title + 1, title.data(), length);
}

std::filesystem::path DataFilePath() {
    return ProgramFolder() / "Typorin.dat";
}

std::filesystem::path StatsFilePath() {
    return ProgramFolder() / "TyporinStats.db";
}

void RemoveDataFileLeftovers() {
    // Earlier saves named their temporary file "Typorin.dat." and six letters or digits.
    RemoveSaveLeftovers(DataFilePath().parent_path(), DataFilePath().filename().string());
}

void ReadDataFile(const std::filesystem::path& path) {
    LoadDataFileBytes(ReadFileHead(path, DataFileSize));
}

void LoadDataFileBytes(std::string_view bytes) {
    bytes = bytes.substr(0, DataFileSize);
    std::size_t options = std::min(bytes.size(), sizeof OptionRec);
    std::memcpy(&OptionRec, bytes.data(), options);
    std::memcpy(PracticeRecs, bytes.data() + options, bytes.size() - options);
}

void WriteDataFile(const std::filesystem::path& path) {
    std::string bytes(DataFileSize, '\0');
    std::memcpy(bytes.data(), &OptionRec, sizeof OptionRec);
    std::memcpy(bytes.data() + sizeof OptionRec, PracticeRecs, sizeof PracticeRecs);
    SaveWholeFile(path, bytes);
}

void ResetOptions(int screenWidth, int screenHeight) {
    TOptionRec& o = OptionRec;
    for (const TRange& range : SettingRanges)
        o.*range.Field = range.Default;
    o.Reserved008 = 0;
    o.EditorShowView = 1;
    for (const TGraphBoundPair& pair : GraphBoundPairs) {
        o.*pair.Max = pair.DefaultMax;
        o.*pair.Min = pair.DefaultMin;
    }
    o.NextRecord = 0;
    o.AutoCrLf = 1;
    o.LineComp = 0;
    o.Reserved04E = 1;
    o.MainListView1Height = 100;
    o.MainPanel2Width = 190;
    o.MainRichEdit1Height = 100;
    o.GraphListBox1Width = 153;
    o.GraphPaintBox1Height = 60;
    o.GraphPaintBox2Bottom = 123;
    o.GraphPaintBox3Bottom = 186;
    o.GraphPanel2Bottom = 302;
    o.EditorListView1Height = 120;
    o.EditorPanel1Width = 180;
    o.EditorRichEdit1Height = 120;
    // The halving rounds toward zero, as integer division in C++ does.
    o.MainLeft = (screenWidth - DefaultMainWidth) / 2;
    o.MainTop = (screenHeight - DefaultMainHeight) / 2;
    o.MainWidth = DefaultMainWidth;
    o.MainHeight = DefaultMainHeight;
    o.GraphLeft = (screenWidth - DefaultGraphWidth) / 2;
    o.GraphTop = (screenHeight - DefaultGraphHeight) / 2;
    o.GraphWidth = DefaultGraphWidth;
    o.GraphHeight = DefaultGraphHeight;
    o.EditorLeft = (screenWidth - DefaultEditorWidth) / 2;
    o.EditorTop = (screenHeight - DefaultEditorHeight) / 2;
    o.EditorWidth = DefaultEditorWidth;
    o.EditorHeight = DefaultEditorHeight;
    const std::int32_t reserved1CC[9] = {120, 120, 130, 130, 600, 800, 80, 3, 2};
    std::memcpy(o.Reserved1CC, reserved1CC, sizeof reserved1CC);
    o.Reserved1F0 = o.MainTop;
    o.Reserved1F4 = o.MainLeft;
    const std::uint8_t reserved1F8[4] = {1, 0, 0, 1};
    std::memcpy(o.Reserved1F8, reserved1F8, sizeof reserved1F8);
    std::fill(std::begin(o.RomajiChoice), std::end(o.RomajiChoice), 0);
    EmptyAllRecords();
}

void EmptyRecord(TPracticeRec& rec) {
    rec.Title[0] = 0;
    rec.RecDate = 0.0;
    rec.RecMode = TRecordMode::Empty;
    rec.TextKind = TTextKind::Empty;
    rec.ExampleCount = rec.InputCount = rec.MatchCount = rec.MissCount = rec.ExtraCount = 0;
    rec.KanjiCount = rec.KeyCount = rec.Reserved40 = rec.Seconds = 0;
}

void EmptyRecords(TRecordRing ring) {
    for (TPracticeRec& rec : ring)
        EmptyRecord(rec);
}

void EmptyAllRecords() {
    EmptyRecords(PracticeRecs);
}

void StoreRecord(const TPracticeRec& rec) {
    // A damaged NextRecord is repaired at start-up; the guard keeps the ring bounds regardless.
    if (OptionRec.NextRecord < 0 || OptionRec.NextRecord >= RecordCount)
        OptionRec.NextRecord = 0;
    PracticeRecs[OptionRec.NextRecord] = rec;
    if (++OptionRec.NextRecord > RecordCount - 1)
        OptionRec.NextRecord = 0;
}

namespace {

int SlotAfterNewestRecord() {
    int newest = -1;
    for (int i = 0; i < RecordCount; ++i)
        if (PracticeRecs[i].RecDate > 0 &&
            (newest < 0 || PracticeRecs[i].RecDate >= PracticeRecs[newest].RecDate))
            newest = i;
    return newest < 0 ? 0 : (newest + 1) % RecordCount;
}

void RepairPaneSize(std::int32_t& size, int min, int max, int fallback) {
    if (size < min || size > max)
        size = fallback;
}

// The records window's panes: the list width, and the strips' heights and bottoms from the top
// down. A size that is negative, larger than the screens, or out of order (a strip ending above
// the one before it ends, the strips ending below the pane) puts all of them back to the design.
void RepairGraphPanes(TOptionRec& o, int maxWidth, int maxHeight) {
    constexpr long long Splitter = 3; // in 64 bits: a stored size may be any 32-bit value
    RepairPaneSize(o.GraphListBox1Width, 0, maxWidth, 153);
    const bool inOrder = o.GraphPaintBox1Height >= 0 &&
                         o.GraphPaintBox2Bottom >= o.GraphPaintBox1Height + Splitter &&
                         o.GraphPaintBox3Bottom >= o.GraphPaintBox2Bottom + Splitter &&
                         o.GraphPanel2Bottom >= o.GraphPaintBox3Bottom &&
                         o.GraphPanel2Bottom <= maxHeight;
    if (!inOrder) {
        o.GraphPaintBox1Height = 60;
        o.GraphPaintBox2Bottom = 123;
        o.GraphPaintBox3Bottom = 186;
        o.GraphPanel2Bottom = 302;
    }
}

// The editor's pane sizes: each within the screen and within the editor window it divides
// (the window's bounds are repaired first), else the design size.
void RepairEditorPanes(TOptionRec& o, int maxWidth, int maxHeight) {
    RepairPaneSize(o.EditorListView1Height, 0, std::min(maxHeight, o.EditorHeight), 120);
    RepairPaneSize(o.EditorPanel1Width, 0, std::min(maxWidth, o.EditorWidth), 180);
    RepairPaneSize(o.EditorRichEdit1Height, 0, std::min(maxHeight, o.EditorHeight), 120);
}

} // namespace

void RepairOptions(const std::vector<TScreenRect>& screens) {
    TOptionRec& o = OptionRec;
    if (o.NextRecord < 0 || o.NextRecord >= RecordCount)
        o.NextRecord = SlotAfterNewestRecord();
    for (TPracticeRec& rec : PracticeRecs)
        rec.Title[0] = std::min<std::uint8_t>(rec.Title[0], TitleBytes);
    if (o.ExamMode > 2)
        o.ExamMode = 0;
    for (const TRange& range : SettingRanges)
        if (o.*range.Field < range.Min || o.*range.Field > range.Max)
            o.*range.Field = range.Default;
    for (std::int32_t& choice : o.RomajiChoice)
        if (choice < 0 || choice > 2)
            choice = 0;

    // Graph bounds: each pair within the settings dialog's ranges with its upper bound at least
    // 10 above the lower, else both at their defaults, so that the dialog opens on values its
    // controls can show and its coupling rule can keep.
    RepairGraphBounds(o);

    if (screens.empty()) {
        RepairPaneSize(o.MainListView1Height, 0, 1 << 16, 100);
        RepairPaneSize(o.MainPanel2Width, 0, 1 << 16, 190);
        RepairPaneSize(o.MainRichEdit1Height, 0, 1 << 16, 100);
        RepairGraphPanes(o, 1 << 16, 1 << 16);
        RepairEditorPanes(o, 1 << 16, 1 << 16);
        return;
    }
    int maxWidth = 0, maxHeight = 0;
    for (const TScreenRect& s : screens) {
        maxWidth = std::max(maxWidth, s.Width);
        maxHeight = std::max(maxHeight, s.Height);
    }
    RepairPaneSize(o.MainListView1Height, 0, maxHeight, 100);
    RepairPaneSize(o.MainPanel2Width, 0, maxWidth, 190);
    RepairPaneSize(o.MainRichEdit1Height, 0, maxHeight, 100);
    RepairGraphPanes(o, maxWidth, maxHeight);
    FitBoundsOnScreens(o.MainLeft, o.MainTop, o.MainWidth, o.MainHeight, DefaultMainWidth,
                       DefaultMainHeight, screens);
    FitBoundsOnScreens(o.GraphLeft, o.GraphTop, o.GraphWidth, o.GraphHeight, DefaultGraphWidth,
                       DefaultGraphHeight, screens);
    FitBoundsOnScreens(o.EditorLeft, o.EditorTop, o.EditorWidth, o.EditorHeight, DefaultEditorWidth,
                       DefaultEditorHeight, screens);
    RepairEditorPanes(o, maxWidth, maxHeight);
}

void FitBoundsOnScreens(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                        std::int32_t& height, int defaultWidth, int defaultHeight,
                        const std::vector<TScreenRect>& allScreens) {
    // A screen too small to hold a usable window is no place to put one.
    std::vector<TScreenRect> screens;
    for (const TScreenRect& s : allScreens)
        if (s.Width >= MinUsableWidth && s.Height >= MinUsableHeight)
            screens.push_back(s);
    if (screens.empty())
        return;
    // In 64 bits: screens and bounds may hold any 32-bit values.
    using TWide = long long;
    TWide maxWidth = 0, maxHeight = 0;
    for (const TScreenRect& s : screens) {
        maxWidth = std::max<TWide>(maxWidth, s.Width);
        maxHeight = std::max<TWide>(maxHeight, s.Height);
    }
    TWide x = left, y = top, w = width, h = height;
    auto store = [&] {
        auto narrow = [](TWide v) {
            return static_cast<std::int32_t>(
                std::clamp<TWide>(v, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()));
        };
        left = narrow(x);
        top = narrow(y);
        width = narrow(w);
        height = narrow(h);
    };
    // Shrinks the window to `s` and moves it wholly onto it, or centres it there.
    auto fitOn = [&](const TScreenRect& s, bool centre) {
        w = std::min<TWide>(w, std::max(0, s.Width));
        h = std::min<TWide>(h, std::max(0, s.Height));
        if (centre) {
            x = s.Left + (s.Width - w) / 2;
            y = s.Top + (s.Height - h) / 2;
        } else {
            x = std::clamp<TWide>(x, s.Left, std::max<TWide>(s.Left, TWide{s.Left} + s.Width - w));
            y = std::clamp<TWide>(y, s.Top, std::max<TWide>(s.Top, TWide{s.Top} + s.Height - h));
        }
        store();
    };
    const TScreenRect& primary = screens.front();
    if (w < MinUsableWidth || h < MinUsableHeight || w > maxWidth || h > maxHeight) {
        w = defaultWidth;
        h = defaultHeight;
        fitOn(primary, true);
        return;
    }
    // The screen the window is mostly on: the one that shows the largest part of it.
    auto overlap = [](TWide a0, TWide a1, TWide b0, TWide b1) {
        return std::max<TWide>(0, std::min(a1, b1) - std::max(a0, b0));
    };
    const TScreenRect* best = nullptr;
    TWide bestArea = 0;
    for (const TScreenRect& s : screens) {
        TWide area = overlap(x, x + w, s.Left, TWide{s.Left} + s.Width) *
                     overlap(y, y + h, s.Top, TWide{s.Top} + s.Height);
        if (area > bestArea) {
            best = &s;
            bestArea = area;
        }
    }
    if (best)
        fitOn(*best, false);
    else
        fitOn(primary, true);
}

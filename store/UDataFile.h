// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings-and-records store and its file Typorin.dat: a fixed 15,136-byte image of the
// settings block followed by the ring of the last 200 practice records. All integers are
// little-endian, as the structs are in memory on every platform the program builds for.

#include "platform/ScreenRect.h"
#include "store/UPracticeKinds.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

static_assert(std::endian::native == std::endian::little, "Typorin.dat is a little-endian image");

struct TOptionRec {
    std::int32_t TouchFontSize; // RichEdit1 in touch typing, 9..26
    std::int32_t FontSize;      // the other modes, both lists, the ruler, 9..20
    std::int32_t Reserved008;
    std::int32_t WrapColJp;       // bulk-input wrap column of Japanese texts, 15..45
    std::int32_t WrapColEn;       // bulk-input wrap column of single-byte texts, 20..90
    std::int32_t EditorShowView;  // 1 when the editor shows its text viewer
    std::int32_t GraphSpeedJpMax; // graph bounds of the records window
    std::int32_t GraphSpeedJpMin;
    std::int32_t GraphMatchMax;
    std::int32_t GraphMatchMin;
    std::int32_t GraphErrorMax;
    std::int32_t GraphErrorMin;
    std::int32_t GraphKanjiMax;
    std::int32_t GraphKanjiMin;
    std::int32_t GraphSpeedEnMax;
    std::int32_t GraphSpeedEnMin;
    std::int32_t GraphKeySpeedMax;
    std::int32_t GraphKeySpeedMin;
    std::int32_t NextRecord; // slot 0..199 the next record goes to
    std::uint8_t AutoCrLf;   // automatic line feed of bulk input
    std::uint8_t LineComp;   // bulk input compares line by line
    std::uint8_t Reserved04E;
    std::uint8_t ExamMode; // practice mode at start: 0 touch, 1 sequential, 2 bulk
    std::int32_t MainListView1Height;
    std::int32_t MainPanel2Width;
    std::int32_t MainRichEdit1Height;
    std::int32_t GraphListBox1Width;
    std::int32_t GraphPaintBox1Height;
    std::int32_t GraphPaintBox2Bottom;
    std::int32_t GraphPaintBox3Bottom;
    std::int32_t GraphPanel2Bottom;
    std::int32_t EditorListView1Height;
    std::int32_t EditorPanel1Width;
    std::int32_t EditorRichEdit1Height;
    std::int32_t MainLeft;
    std::int32_t MainTop;
    std::int32_t MainWidth;
    std::int32_t MainHeight;
    std::int32_t GraphLeft;
    std::int32_t GraphTop;
    std::int32_t GraphWidth;
    std::int32_t GraphHeight;
    std::int32_t EditorLeft;
    std::int32_t EditorTop;
    std::int32_t EditorWidth;
    std::int32_t EditorHeight;
    std::uint8_t Reserved0AC[256]; // length-prefixed text areas, kept as they are
    std::uint8_t Reserved1AC[16];
    std::uint8_t Reserved1BC[16];
    std::int32_t Reserved1CC[9];
    std::int32_t Reserved1F0;
    std::int32_t Reserved1F4;
    std::uint8_t Reserved1F8[4];
    std::uint8_t RomajiLower; // the touch-typing guide in lower case
    std::uint8_t Reserved1FD[39];
    std::int32_t RomajiChoice[47]; // per kana unit with several spellings, the index shown (0..2)
};

inline constexpr int RecordCount = 200;
inline constexpr int TitleBytes = 20;

struct TPracticeRec {
    std::uint8_t Title[1 + TitleBytes]; // length byte, then up to 20 bytes of Shift_JIS
    std::uint8_t Padding15[3];
    double RecDate; // local time in days since 1899-12-30, the time of day as fraction
    TRecordMode RecMode;
    TTextKind TextKind;
    std::uint8_t Padding22[2];
    std::int32_t ExampleCount;
    std::int32_t InputCount;
    std::int32_t MatchCount;
    std::int32_t MissCount;
    std::int32_t ExtraCount;
    std::int32_t KanjiCount;
    std::int32_t KeyCount;
    std::int32_t Reserved40;
    std::int32_t Seconds;
};

#define TYPORIN_AT(type, field, offset) static_assert(offsetof(type, field) == (offset))
TYPORIN_AT(TOptionRec, TouchFontSize, 0x000);
TYPORIN_AT(TOptionRec, FontSize, 0x004);
TYPORIN_AT(TOptionRec, Reserved008, 0x008);
TYPORIN_AT(TOptionRec, WrapColJp, 0x00C);
TYPORIN_AT(TOptionRec, WrapColEn, 0x010);
TYPORIN_AT(TOptionRec, EditorShowView, 0x014);
TYPORIN_AT(TOptionRec, GraphSpeedJpMax, 0x018);
TYPORIN_AT(TOptionRec, GraphSpeedJpMin, 0x01C);
TYPORIN_AT(TOptionRec, GraphMatchMax, 0x020);
TYPORIN_AT(TOptionRec, GraphMatchMin, 0x024);
TYPORIN_AT(TOptionRec, GraphErrorMax, 0x028);
TYPORIN_AT(TOptionRec, GraphErrorMin, 0x02C);
TYPORIN_AT(TOptionRec, GraphKanjiMax, 0x030);
TYPORIN_AT(TOptionRec, GraphKanjiMin, 0x034);
TYPORIN_AT(TOptionRec, GraphSpeedEnMax, 0x038);
TYPORIN_AT(TOptionRec, GraphSpeedEnMin, 0x03C);
TYPORIN_AT(TOptionRec, GraphKeySpeedMax, 0x040);
TYPORIN_AT(TOptionRec, GraphKeySpeedMin, 0x044);
TYPORIN_AT(TOptionRec, NextRecord, 0x048);
TYPORIN_AT(TOptionRec, AutoCrLf, 0x04C);
TYPORIN_AT(TOptionRec, LineComp, 0x04D);
TYPORIN_AT(TOptionRec, Reserved04E, 0x04E);
TYPORIN_AT(TOptionRec, ExamMode, 0x04F);
TYPORIN_AT(TOptionRec, MainListView1Height, 0x050);
TYPORIN_AT(TOptionRec, MainPanel2Width, 0x054);
TYPORIN_AT(TOptionRec, MainRichEdit1Height, 0x058);
TYPORIN_AT(TOptionRec, GraphListBox1Width, 0x05C);
TYPORIN_AT(TOptionRec, GraphPaintBox1Height, 0x060);
TYPORIN_AT(TOptionRec, GraphPaintBox2Bottom, 0x064);
TYPORIN_AT(TOptionRec, GraphPaintBox3Bottom, 0x068);
TYPORIN_AT(TOptionRec, GraphPanel2Bottom, 0x06C);
TYPORIN_AT(TOptionRec, EditorListView1Height, 0x070);
TYPORIN_AT(TOptionRec, EditorPanel1Width, 0x074);
TYPORIN_AT(TOptionRec, EditorRichEdit1Height, 0x078);
TYPORIN_AT(TOptionRec, MainLeft, 0x07C);
TYPORIN_AT(TOptionRec, MainTop, 0x080);
TYPORIN_AT(TOptionRec, MainWidth, 0x084);
TYPORIN_AT(TOptionRec, MainHeight, 0x088);
TYPORIN_AT(TOptionRec, GraphLeft, 0x08C);
TYPORIN_AT(TOptionRec, GraphTop, 0x090);
TYPORIN_AT(TOptionRec, GraphWidth, 0x094);
TYPORIN_AT(TOptionRec, GraphHeight, 0x098);
TYPORIN_AT(TOptionRec, EditorLeft, 0x09C);
TYPORIN_AT(TOptionRec, EditorTop, 0x0A0);
TYPORIN_AT(TOptionRec, EditorWidth, 0x0A4);
TYPORIN_AT(TOptionRec, EditorHeight, 0x0A8);
TYPORIN_AT(TOptionRec, Reserved0AC, 0x0AC);
TYPORIN_AT(TOptionRec, Reserved1AC, 0x1AC);
TYPORIN_AT(TOptionRec, Reserved1BC, 0x1BC);
TYPORIN_AT(TOptionRec, Reserved1CC, 0x1CC);
TYPORIN_AT(TOptionRec, Reserved1F0, 0x1F0);
TYPORIN_AT(TOptionRec, Reserved1F4, 0x1F4);
TYPORIN_AT(TOptionRec, Reserved1F8, 0x1F8);
TYPORIN_AT(TOptionRec, RomajiLower, 0x1FC);
TYPORIN_AT(TOptionRec, Reserved1FD, 0x1FD);
TYPORIN_AT(TOptionRec, RomajiChoice, 0x224);
static_assert(sizeof(TOptionRec) == 736);

TYPORIN_AT(TPracticeRec, Title, 0x00);
TYPORIN_AT(TPracticeRec, Padding15, 0x15);
TYPORIN_AT(TPracticeRec, RecDate, 0x18);
TYPORIN_AT(TPracticeRec, RecMode, 0x20);
TYPORIN_AT(TPracticeRec, TextKind, 0x21);
TYPORIN_AT(TPracticeRec, Padding22, 0x22);
TYPORIN_AT(TPracticeRec, ExampleCount, 0x24);
TYPORIN_AT(TPracticeRec, InputCount, 0x28);
TYPORIN_AT(TPracticeRec, MatchCount, 0x2C);
TYPORIN_AT(TPracticeRec, MissCount, 0x30);
TYPORIN_AT(TPracticeRec, ExtraCount, 0x34);
TYPORIN_AT(TPracticeRec, KanjiCount, 0x38);
TYPORIN_AT(TPracticeRec, KeyCount, 0x3C);
TYPORIN_AT(TPracticeRec, Reserved40, 0x40);
TYPORIN_AT(TPracticeRec, Seconds, 0x44);
static_assert(sizeof(TPracticeRec) == 72);
#undef TYPORIN_AT

inline constexpr std::size_t DataFileSize = sizeof(TOptionRec) + RecordCount * sizeof(TPracticeRec);
static_assert(DataFileSize == 15136);

// The one store the windows read and write; the engines take what they need of it as
// parameters. Zero bytes until the file is read.
extern TOptionRec OptionRec;
extern TPracticeRec PracticeRecs[RecordCount];

// The ring of records, as the functions that work on a ring take it.
using TRecordRing = std::span<TPracticeRec, RecordCount>;
using TConstRecordRing = std::span<const TPracticeRec, RecordCount>;

// The title of a record as its Shift_JIS bytes; a length byte above 20 counts as 20.
std::string RecordTitle(const TPracticeRec& rec);
// Stores the first 20 bytes of `title` (a longer title is cut at byte 20).
void SetRecordTitle(TPracticeRec& rec, std::string_view title);

// Typorin.dat in the program folder.
std::filesystem::path DataFilePath();
// The statistics store beside it.
std::filesystem::path StatsFilePath();

// Removes the temporary files that a save of Typorin.dat interrupted by a kill left beside it.
// Called at start, before anything is saved.
void RemoveDataFileLeftovers();

// Reads the file into the store: the settings block first, then the ring. A shorter file is no
// error: the bytes read replace the start of the store and the rest keeps its content.
// Bytes beyond the store are ignored. Throws TFileError when the file cannot be opened or read or
// is no regular file.
void ReadDataFile(const std::filesystem::path& path);

// The same from the file's bytes: any length, any bytes.
void LoadDataFileBytes(std::string_view bytes);

// Writes the whole store atomically. Throws std::runtime_error on failure; the previous file
// then stays as it was.
void WriteDataFile(const std::filesystem::path& path);

// Sets every settings field to its default and empties all record slots; "kept" fields (the
// reserved text areas, ExamMode, RomajiLower and a few reserved bytes) stay. The centred window
// bounds are computed from the given screen size.
void ResetOptions(int screenWidth, int screenHeight);

// Empties one slot or all 200 (title length 0, date 0, mode 6, kind 2, counts 0; the padding
// and title bytes beyond the length keep what they held).
void EmptyRecord(TPracticeRec& rec);
void EmptyRecords(TRecordRing ring);
void EmptyAllRecords();

// Copies `rec` into the slot NextRecord names and moves NextRecord on, from 199 back to 0.
void StoreRecord(const TPracticeRec& rec);

// Replaces values that a damaged or hand-edited file may hold and that the program cannot use
// by their defaults, and leaves every other byte alone:
// - NextRecord outside 0..199: the slot after the newest record in use (0 when none is);
// - a record title length above 20: 20;
// - ExamMode above 2: 0 (touch typing);
// - TouchFontSize, FontSize, WrapColJp, WrapColEn outside the settings dialog's ranges, and a
//   RomajiChoice entry outside 0..2: the default;
// - a pair of graph bounds outside the settings dialog's ranges, or with the upper bound less
//   than 10 above the lower: both bounds of the pair at their defaults;
// - pane sizes of the main window that are negative or larger than any screen: the default;
// - pane sizes of the records window that are negative, larger than any screen or out of
//   order (each strip ends below the one above it, all inside the pane): the design sizes;
// - pane sizes of the editor that are negative or larger than the screen or the editor: the
//   design sizes;
// - window bounds: as FitBoundsOnScreens leaves them.
// `screens` are the available areas of the screens, the first the primary one; empty means
// that nothing is known and the bounds are left as they are.
void RepairOptions(const std::vector<TScreenRect>& screens);

// Makes a window's restored bounds usable on the screens there are now (after a change of
// screens or of the scale factor): bounds too small to use or larger than every screen get the
// default size, centred on the first screen; bounds on no screen keep their size (shrunk to the
// first screen) and are centred on it; any other window is shrunk to fit the screen that shows
// the largest part of it and moved wholly onto that screen. Every window that restores its
// bounds passes them through here. `screens` as for RepairOptions; screens smaller than a usable
// window (100 by 100) are passed over, and without another screen the bounds stay as they are.
void FitBoundsOnScreens(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                        std::int32_t& height, int defaultWidth, int defaultHeight,
                        const std::vector<TScreenRect>& screens);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-text comparison: cuts an example text and a typed text (Shift_JIS bytes) into units,
// finds a longest common subsequence of the two unit sequences and reports every unit outside
// it. Units are single characters (character mode, Japanese texts) or blank-separated words
// (word mode, English texts).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// 0 compares character by character, 1 word by word. Any other value compares nothing.
enum class CompMode : std::int32_t { Chars = 0, Words = 1 };

// One comparison unit of a text.
struct TCompItem {
    std::int32_t Index = 0;  // position in its own list: the list's count when it was added
    std::int32_t KeyNo = -1; // equality class; -1 for a typed unit no example unit equals
    std::int32_t Pos = 0;    // byte offset of the unit's first byte in its text
    std::string Str;         // one byte, one double-byte character or one word

    friend bool operator==(const TCompItem&, const TCompItem&) = default;
};

// Kinds of difference record.
inline constexpr std::int32_t RsltKindExample = 0; // an example unit: typo or omission
inline constexpr std::int32_t RsltKindInput = 1;   // a typed unit: extra unit

// One unit outside the common subsequence. An independent copy: callers may move `Pos`.
struct TRsltItem {
    std::int32_t Kind = RsltKindExample;
    std::int32_t Index = 0; // the unit's Index in its own list
    std::int32_t Pos = 0;   // the unit's Pos
    std::string Str;        // the unit's Str

    friend bool operator==(const TRsltItem&, const TRsltItem&) = default;
};

// A paired example unit and typed unit, and the length of the common subsequence of the two
// prefixes that ends with this pair. Also a candidate of the alignment table.
struct TKeyItem {
    std::int32_t ExampleIndex = 0;
    std::int32_t InputIndex = 0;
    std::int32_t Len = 0;

    friend bool operator==(const TKeyItem&, const TKeyItem&) = default;
};

// The alignment step of one comparison. Holds its working lists only while CompareList runs.
class TCompKey {
public:
    // Gives every unit its equality class, aligns the lists and appends a difference record for
    // every unit outside the common subsequence: first the example units, then the typed
    // units, each in ascending Index.
    void CompareList(std::vector<TCompItem>& exampleList, std::vector<TCompItem>& inputList,
                     std::vector<TRsltItem>& rsltList);

    // The paired units in ascending order, closed by (example count, typed count, -1). Filled
    // and released within CompareList, so it is empty whenever a caller can look at it.
    const std::vector<TKeyItem>& RsltKeyList() const { return FRsltKeyList; }

private:
    static void AssignKeyNos(std::vector<TCompItem>& exampleList,
                             std::vector<TCompItem>& inputList);
    void MakeKeyList(const std::vector<TCompItem>& exampleList,
                     const std::vector<TCompItem>& inputList);
    void MakeRsltList(const std::vector<TCompItem>& exampleList,
                      const std::vector<TCompItem>& inputList,
                      std::vector<TRsltItem>& rsltList) const;
    void Release();

    std::vector<TKeyItem> FRsltKeyList;
    std::vector<TKeyItem> FCandidates;     // one per pair of equal units
    std::vector<std::int32_t> FClassStart; // per class, its first entry in FPositions
    std::vector<std::int32_t> FPositions;  // example indices grouped by class, ascending
    std::vector<std::int32_t> FPrev;       // table cells: value for the previous typed unit
    std::vector<std::int32_t> FCur;        // table cells: value for the current typed unit
};

// The comparer the bulk-input exercise uses: owns the unit lists, the difference list and the
// counters. Compare a new or cleared object; a second Compare without Clear appends to the
// units already present and aligns the joined lists.
class TCompClass {
public:
    // Splits both texts, aligns them, fills RsltList and sets the five counters. With a mode
    // other than Chars and Words nothing is split and all counters end at 0. A failure (memory)
    // propagates; the units added until then stay until Clear.
    // Throws std::length_error when a list would grow beyond MaxTextBytes units.
    void Compare(CompMode mode, std::string_view example, std::string_view typed);
    // Empties the three lists and zeroes the counters; the lists keep their storage, so a
    // line-by-line comparison reusing one object does not allocate again for every line.
    void Clear();

    const std::vector<TCompItem>& ExampleList() const { return FExampleList; }
    const std::vector<TCompItem>& InputList() const { return FInputList; }
    // Kind 0 records in ascending Index, then kind 1 records in ascending Index.
    std::vector<TRsltItem>& RsltList() { return FRsltList; }
    const std::vector<TRsltItem>& RsltList() const { return FRsltList; }

    std::int32_t ExampleCount() const { return FExampleCount; }
    std::int32_t InputCount() const { return FInputCount; }
    std::int32_t MatchCount() const { return FMatchCount; } // the common subsequence's length
    std::int32_t MissCount() const { return FMissCount; }   // kind 0 records
    std::int32_t ExtraCount() const { return FExtraCount; } // kind 1 records

    // The most units a list may hold, and so the longest text Compare takes. Positions and
    // indices are 32-bit, and a line base of word mode may run ahead of the bytes (a lone LF
    // counts 2), so a text stays below 2^30 bytes.
    static constexpr std::size_t MaxTextBytes = (std::size_t{1} << 30) - 1;

private:
    static void SplitChars(std::string_view text, std::vector<TCompItem>& list);
    static void SplitText(std::string_view text, std::vector<TCompItem>& list);
    static void SplitWords(std::string_view line, std::int32_t lineBase,
                           std::vector<TCompItem>& list);

    std::vector<TCompItem> FExampleList;
    std::vector<TCompItem> FInputList;
    std::vector<TRsltItem> FRsltList;
    std::int32_t FExampleCount = 0;
    std::int32_t FInputCount = 0;
    std::int32_t FMatchCount = 0;
    std::int32_t FMissCount = 0;
    std::int32_t FExtraCount = 0;
};

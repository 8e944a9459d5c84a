// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UCompKey.h"

#include "platform/ShiftJis.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char Blank = ' ';

constexpr int SwapBlock = 64;

// How many of the SwapBlock entries at base, base + step, base + 2 step … `wanted` accepts, and
// their offsets, ascending, at the start of `offsets`.
template <typename TWanted>
int ScanBlock(const TKeyItem* a, std::ptrdiff_t base, std::ptrdiff_t step, TWanted wanted,
              std::uint8_t* offsets) {
    int count = 0;
    for (int t = 0; t < SwapBlock; ++t) {
        offsets[count] = static_cast<std::uint8_t>(t);
        count += wanted(a[base + t * step].Len);
    }
    return count;
}

// The first swaps of a partition without a branch per entry. The partition loop of SortByLen
// swaps the k-th entry from i up whose Len is >= pivot with the k-th entry from j down whose
// Len is <= pivot, as long as the first lies before the second; the scans only pass entries
// not yet swapped. Blocks of entries from both ends are scanned into lists of such offsets and
// paired in order, while the part not yet scanned holds a whole block. On return i and j are
// where the loop would stand after the same swaps: one past the last pair on either side.
void SwapInBlocks(TKeyItem* a, std::int32_t pivot, std::ptrdiff_t& i, std::ptrdiff_t& j) {
    struct TSide {
        std::uint8_t Offsets[SwapBlock];
        int Count = 0; // offsets found and not yet paired
        int First = 0; // the first of them
        std::ptrdiff_t Base = 0;
    } left, right;
    std::ptrdiff_t low = i, high = j; // the part not yet scanned
    auto scan = [&](TSide& side, std::ptrdiff_t& from, std::ptrdiff_t step, auto wanted) {
        if (high - low + 1 < SwapBlock)
            return false;
        side.Base = from;
        side.First = 0;
        side.Count = ScanBlock(a, from, step, wanted, side.Offsets);
        from += step * SwapBlock;
        return true;
    };
    for (;;) {
        if (left.Count == 0 &&
            !scan(left, low, 1, [pivot](std::int32_t len) { return len >= pivot; }))
            return;
        if (right.Count == 0 &&
            !scan(right, high, -1, [pivot](std::int32_t len) { return len <= pivot; }))
            return;
        const int pairs = std::min(left.Count, right.Count);
        if (pairs == 0)
            continue;
        for (int t = 0; t < pairs; ++t)
            std::swap(a[left.Base + left.Offsets[left.First + t]],
                      a[right.Base - right.Offsets[right.First + t]]);
        left.First += pairs;
        right.First += pairs;
        left.Count -= pairs;
        right.Count -= pairs;
        i = left.Base + left.Offsets[left.First - 1] + 1;
        j = right.Base - right.Offsets[right.First - 1] - 1;
    }
}

// Sorts by ascending Len with the quicksort whose choices decide which of several equally long
// alignments is reported: middle pivot by value, both scans stopping on equal entries, so equal
// entries get swapped (for "ab" against "ba" the two candidates of length 1 change places).
// Each partition leaves two disjoint ranges, and sorting them in either order gives the same
// list; the larger one waits on a stack so that the depth stays below 64 for any input.
void SortByLen(std::vector<TKeyItem>& list) {
    if (list.size() < 2)
        return;
    struct TRange {
        std::ptrdiff_t L, R;
    };
    TRange pending[64];
    int pendingCount = 0;
    TKeyItem* a = list.data();
    std::ptrdiff_t l = 0;
    std::ptrdiff_t r = static_cast<std::ptrdiff_t>(list.size()) - 1;
    for (;;) {
        std::ptrdiff_t i = l;
        std::ptrdiff_t j = r;
        const std::int32_t pivot = a[(l + r) / 2].Len;
        SwapInBlocks(a, pivot, i, j);
        // The partition loop goes on from there. Before any swap i < j holds, as the range has
        // two entries or more, so it runs at least once, as a loop that tests at its end would.
        while (i <= j) {
            while (a[i].Len < pivot)
                ++i;
            while (a[j].Len > pivot)
                --j;
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        }
        const bool left = l < j;
        const bool right = i < r;
        if (left && right) {
            if (j - l > r - i) {
                pending[pendingCount++] = {l, j};
                l = i;
            } else {
                pending[pendingCount++] = {i, r};
                r = j;
            }
        } else if (left) {
            r = j;
        } else if (right) {
            l = i;
        } else if (pendingCount > 0) {
            --pendingCount;
            l = pending[pendingCount].L;
            r = pending[pendingCount].R;
        } else {
            return;
        }
    }
}

// Orders units by their texts byte-wise, as std::string does, mostly by one integer: the first
// seven bytes in the high bytes and the length in the lowest, 8 standing for any longer text,
// so that "a" < "a\0" < "ab". Only two long texts with equal first seven bytes are compared
// as strings.
struct TTextKey {
    std::uint64_t Prefix;
    TCompItem* Unit;

    static constexpr std::uint64_t Long = 8;
    bool operator<(const TTextKey& other) const {
        if (Prefix != other.Prefix)
            return Prefix < other.Prefix;
        return (Prefix & 0xFF) == Long && Unit->Str < other.Unit->Str;
    }
};

TTextKey TextKeyOf(TCompItem& unit) {
    const std::string& str = unit.Str;
    const std::size_t shortLength = std::min<std::size_t>(str.size(), 7);
    std::uint64_t prefix = 0;
    for (std::size_t k = 0; k < shortLength; ++k)
        prefix |= std::uint64_t{static_cast<unsigned char>(str[k])} << (56 - 8 * k);
    return {prefix | std::min<std::uint64_t>(str.size(), TTextKey::Long), &unit};
}

bool SameText(const TTextKey& a, const TTextKey& b) {
    return a.Prefix == b.Prefix &&
           ((a.Prefix & 0xFF) < TTextKey::Long || a.Unit->Str == b.Unit->Str);
}

// Cells after the end of a table row, so that MaxOfRow can work in whole groups.
constexpr std::size_t RowPadding = 8;
using TCellGroup = std::int32_t __attribute__((vector_size(RowPadding * sizeof(std::int32_t))));

// cur[k] = max(left, prev[k]) for k in from … to - 1, in whole groups of eight cells, so up to
// seven cells after `to` get a value too. Those are cells the row fills afterwards (the equal
// cell at `to` and the stretch after it) or padding, and short stretches cost no single steps.
// The groups are plain vector arithmetic; on x86-64 it is compiled twice, for AVX2 and for the
// baseline, and the processor picks one when the program loads.
#if defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void MaxOfRow(std::int32_t* __restrict cur, const std::int32_t* __restrict prev, std::size_t from,
              std::size_t to, std::int32_t left) {
    const TCellGroup lefts = TCellGroup{} + left;
    for (std::size_t k = from; k < to; k += RowPadding) {
        TCellGroup ups;
        std::memcpy(&ups, prev + k, sizeof ups);
        const TCellGroup cells = lefts > ups ? lefts : ups;
        std::memcpy(cur + k, &cells, sizeof cells);
    }
}

void AppendRecord(std::vector<TRsltItem>& rsltList, std::int32_t kind, const TCompItem& unit) {
    rsltList.push_back({kind, unit.Index, unit.Pos, unit.Str});
}

// Records of `kind` for the units of `list` that the first `pairCount` entries of `pairs` do not
// pair, in ascending Index. `side` picks this list's index out of a pair.
void AppendUnpaired(std::vector<TRsltItem>& rsltList, std::int32_t kind,
                    const std::vector<TCompItem>& list, const std::vector<TKeyItem>& pairs,
                    std::size_t pairCount, std::int32_t TKeyItem::*side) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < pairCount; ++i) {
        if (i == static_cast<std::size_t>(pairs[k].*side))
            ++k;
        else
            AppendRecord(rsltList, kind, list[i]);
    }
    for (; i < list.size(); ++i)
        AppendRecord(rsltList, kind, list[i]);
}

} // namespace

// --- TCompKey ---------------------------------------------------------------------------------

void TCompKey::CompareList(std::vector<TCompItem>& exampleList, std::vector<TCompItem>& inputList,
                           std::vector<TRsltItem>& rsltList) {
    // The working lists can hold a million entries; they go on every exit, a failure included.
    struct TReleaseGuard {
        TCompKey& Key;
        ~TReleaseGuard() { Key.Release(); }
    } guard{*this};
    Release();
    AssignKeyNos(exampleList, inputList);
    MakeKeyList(exampleList, inputList);
    MakeRsltList(exampleList, inputList, rsltList);
}

void TCompKey::Release() {
    std::vector<TKeyItem>().swap(FRsltKeyList);
    std::vector<TKeyItem>().swap(FCandidates);
    std::vector<std::int32_t>().swap(FClassStart);
    std::vector<std::int32_t>().swap(FPositions);
    std::vector<std::int32_t>().swap(FPrev);
    std::vector<std::int32_t>().swap(FCur);
}

// Example units are numbered 1, 2, 3 … by byte-wise order of their texts, equal texts sharing a
// number; a typed unit takes the number of an example unit with the same text, or -1. Equality
// is exact: "A" and "Ａ", "あ" and "ア" are different classes.
void TCompKey::AssignKeyNos(std::vector<TCompItem>& exampleList,
                            std::vector<TCompItem>& inputList) {
    std::vector<TTextKey> sorted;
    sorted.reserve(exampleList.size());
    for (TCompItem& unit : exampleList)
        sorted.push_back(TextKeyOf(unit));
    std::sort(sorted.begin(), sorted.end());
    std::int32_t keyNo = 0;
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        if (k == 0 || !SameText(sorted[k - 1], sorted[k]))
            ++keyNo;
        sorted[k].Unit->KeyNo = keyNo;
    }
    for (TCompItem& unit : inputList) {
        const TTextKey key = TextKeyOf(unit);
        auto found = std::lower_bound(sorted.begin(), sorted.end(), key);
        unit.KeyNo = found != sorted.end() && SameText(*found, key) ? found->Unit->KeyNo : -1;
    }
}

void TCompKey::MakeKeyList(const std::vector<TCompItem>& exampleList,
                           const std::vector<TCompItem>& inputList) {
    const std::size_t exampleCount = exampleList.size();
    if (inputList.empty() || exampleCount == 0)
        return;

    // Where each class occurs in the example, ascending: class c at the example indices
    // FPositions[FClassStart[c]] … FPositions[FClassStart[c + 1] - 1]. The equal cells of a row
    // are read from there instead of comparing every cell's class.
    std::int32_t classCount = 0;
    for (const TCompItem& unit : exampleList)
        classCount = std::max(classCount, unit.KeyNo);
    FClassStart.assign(static_cast<std::size_t>(classCount) + 2, 0);
    for (const TCompItem& unit : exampleList)
        ++FClassStart[unit.KeyNo + 1];
    // The candidate list gets one entry per pair of equal units: its size is known from the
    // class sizes, so it is allocated once.
    std::size_t candidateCount = 0;
    for (const TCompItem& unit : inputList)
        if (unit.KeyNo > 0)
            candidateCount += FClassStart[unit.KeyNo + 1];
    if (candidateCount == 0)
        return;
    FCandidates.resize(candidateCount);
    for (std::size_t c = 1; c < FClassStart.size(); ++c)
        FClassStart[c] += FClassStart[c - 1];
    FPositions.resize(exampleCount);
    {
        std::vector<std::int32_t> next(FClassStart.begin(), FClassStart.end() - 1);
        for (std::size_t j = 0; j < exampleCount; ++j)
            FPositions[next[exampleList[j].KeyNo]++] = static_cast<std::int32_t>(j);
    }

    // Two counters per example unit: prev[j] is the common subsequence length of example units
    // 0..j and the typed units before the current one, cur[j] the same up to the current one.
    // Instead of copying cur into prev after every typed unit the two rows change roles.
    FPrev.assign(exampleCount + RowPadding, 0);
    FCur.assign(exampleCount + RowPadding, 0);
    std::int32_t* prev = FPrev.data();
    std::int32_t* cur = FCur.data();
    TKeyItem* candidate = FCandidates.data();
    const std::int32_t inputCount = static_cast<std::int32_t>(inputList.size());
    for (std::int32_t i = 0; i < inputCount; ++i) {
        const std::int32_t keyNo = inputList[i].KeyNo;
        // A unit no example unit equals changes no cell: cur would equal prev.
        if (keyNo < 1)
            continue;
        // Between two equal cells cur[j] = max(cur[j - 1], prev[j]), which is max(left, prev[j])
        // with left the cell before the stretch, as a row never decreases from left to right.
        // An unequal first cell keeps its value: max(0, prev[0]).
        std::int32_t left = 0;
        std::size_t j = 0;
        const std::int32_t* equal = FPositions.data() + FClassStart[keyNo];
        const std::int32_t* equalEnd = FPositions.data() + FClassStart[keyNo + 1];
        for (; equal != equalEnd; ++equal) {
            const auto e = static_cast<std::size_t>(*equal);
            MaxOfRow(cur, prev, j, e, left);
            left = e == 0 ? 1 : prev[e - 1] + 1;
            cur[e] = left;
            *candidate++ = {*equal, i, left};
            j = e + 1;
        }
        MaxOfRow(cur, prev, j, exampleCount, left);
        std::swap(prev, cur);
    }

    SortByLen(FCandidates);

    // Trace back from the longest candidate: walking the sorted list once from its end, take the
    // first entry one shorter than the last taken and before it on both sides.
    TKeyItem p = FCandidates.back();
    FRsltKeyList.reserve(static_cast<std::size_t>(p.Len) + 1);
    FRsltKeyList.push_back(p);
    for (std::size_t pos = FCandidates.size(); pos-- > 0 && p.Len > 1;) {
        const TKeyItem& q = FCandidates[pos];
        if (q.Len == p.Len - 1 && q.ExampleIndex < p.ExampleIndex && q.InputIndex < p.InputIndex) {
            FRsltKeyList.push_back(q);
            p = q;
        }
    }
    SortByLen(FRsltKeyList);
    FRsltKeyList.push_back({static_cast<std::int32_t>(exampleCount), inputCount, -1});
}

void TCompKey::MakeRsltList(const std::vector<TCompItem>& exampleList,
                            const std::vector<TCompItem>& inputList,
                            std::vector<TRsltItem>& rsltList) const {
    // Without a pair every unit is a difference.
    const std::size_t pairCount = FRsltKeyList.empty() ? 0 : FRsltKeyList.size() - 1;
    rsltList.reserve(rsltList.size() + exampleList.size() + inputList.size() - 2 * pairCount);
    AppendUnpaired(rsltList, RsltKindExample, exampleList, FRsltKeyList, pairCount,
                   &TKeyItem::ExampleIndex);
    AppendUnpaired(rsltList, RsltKindInput, inputList, FRsltKeyList, pairCount,
                   &TKeyItem::InputIndex);
}

// --- TCompClass -------------------------------------------------------------------------------

// Bytes are classed by the run of lead-range bytes directly before them: after a run of odd
// length a byte is the trail byte of a character, whatever its value. "\x82\xA0" is あ;
// "\x82\r\n" gives the unit "\x82\r" at 0, and the LF at 2 moves the next Pos on by one.
// CR and LF make no unit but keep their byte positions, so CR LF moves the next Pos on by 2.
void TCompClass::SplitChars(std::string_view text, std::vector<TCompItem>& list) {
    std::size_t leadRun = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        const unsigned char c = static_cast<unsigned char>(text[p]);
        const bool trail = leadRun % 2 == 1;
        leadRun = ShiftJis::IsLeadByte(c) ? leadRun + 1 : 0;
        const auto index = static_cast<std::int32_t>(list.size());
        if (trail)
            list.push_back(
                {index, -1, static_cast<std::int32_t>(p - 1), std::string(text.substr(p - 1, 2))});
        else if (!ShiftJis::IsLeadByte(c) && c != CR && c != LF)
            list.push_back({index, -1, static_cast<std::int32_t>(p), std::string(1, text[p])});
        // A lead byte waits for its trail byte; one at the very end makes no unit.
    }
}

// Lines as a line list cuts them; each line's base is the bases before it plus the line's bytes
// plus 2, as if every break were CR LF.
void TCompClass::SplitText(std::string_view text, std::vector<TCompItem>& list) {
    std::int32_t lineBase = 0;
    for (const std::string& line : ShiftJis::SplitLines(text)) {
        SplitWords(line, lineBase, list);
        lineBase += static_cast<std::int32_t>(line.size()) + 2;
    }
}

// Only the half-width blank separates words; tabs and full-width blanks belong to them. Two
// blanks in a row give an empty word, which makes no unit but still moves the offset:
// "I  am" gives "I" at 0 and "am" at 3.
void TCompClass::SplitWords(std::string_view line, std::int32_t lineBase,
                            std::vector<TCompItem>& list) {
    std::int32_t offset = 0;
    std::string_view rest = line;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(Blank);
        const std::string_view word = rest.substr(0, blank);
        if (!word.empty())
            list.push_back(
                {static_cast<std::int32_t>(list.size()), -1, lineBase + offset, std::string(word)});
        rest.remove_prefix(std::min(rest.size(), word.size() + 1));
        offset += static_cast<std::int32_t>(word.size()) + 1;
    }
}

void TCompClass::Compare(CompMode mode, std::string_view example, std::string_view typed) {
    if (mode != CompMode::Chars && mode != CompMode::Words) {
        FExampleCount = FInputCount = FMatchCount = FMissCount = FExtraCount = 0;
        return;
    }
    if (FExampleList.size() + example.size() > MaxTextBytes ||
        FInputList.size() + typed.size() > MaxTextBytes)
        throw std::length_error("text too long to compare: " +
                                std::to_string(std::max(example.size(), typed.size())) + " bytes");

    if (mode == CompMode::Chars) {
        SplitChars(example, FExampleList);
        SplitChars(typed, FInputList);
    } else {
        SplitText(example, FExampleList);
        SplitText(typed, FInputList);
    }
    TCompKey compKey;
    compKey.CompareList(FExampleList, FInputList, FRsltList);

    FExampleCount = static_cast<std::int32_t>(FExampleList.size());
    FInputCount = static_cast<std::int32_t>(FInputList.size());
    FMissCount = static_cast<std::int32_t>(
        std::count_if(FRsltList.begin(), FRsltList.end(),
                      [](const TRsltItem& rslt) { return rslt.Kind == RsltKindExample; }));
    FExtraCount = static_cast<std::int32_t>(
        std::count_if(FRsltList.begin(), FRsltList.end(),
                      [](const TRsltItem& rslt) { return rslt.Kind == RsltKindInput; }));
    FMatchCount = FInputCount - FExtraCount;
}

void TCompClass::Clear() {
    FExampleCount = FInputCount = FMatchCount = FMissCount = FExtraCount = 0;
    FExampleList.clear();
    FInputList.clear();
    FRsltList.clear();
}

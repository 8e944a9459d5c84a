// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UOptionRanges.h"

int CorrectUpperBound(int upper, int storedMin) {
    return upper <= storedMin + GraphBoundGap ? storedMin + GraphBoundGap : upper;
}

int CorrectLowerBound(int lower, int storedMax) {
    return lower + GraphBoundGap >= storedMax ? storedMax - GraphBoundGap : lower;
}

void RepairGraphBounds(TOptionRec& options) {
    for (const TGraphBoundPair& pair : GraphBoundPairs) {
        std::int32_t& max = options.*pair.Max;
        std::int32_t& min = options.*pair.Min;
        bool usable = max >= pair.UpperLow && max <= pair.UpperHigh && min >= pair.LowerLow &&
                      min <= pair.LowerHigh && max - min >= GraphBoundGap;
        if (!usable) {
            max = pair.DefaultMax;
            min = pair.DefaultMin;
        }
    }
}

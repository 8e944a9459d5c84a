// SPDX-License-Identifier: GPL-3.0-or-later
// The data-file reader and its repair: a file of any length and bytes, and any screens a
// windowing system can report. After the repair every value is one the program can use, a
// window lies wholly on a screen, and a second repair changes nothing.

#include "fuzz/FuzzCheck.h"
#include "store/UDataFile.h"

#include <cstring>

namespace {

std::string StoreBytes() {
    std::string bytes(DataFileSize, '\0');
    std::memcpy(bytes.data(), &OptionRec, sizeof OptionRec);
    std::memcpy(bytes.data() + sizeof OptionRec, PracticeRecs, sizeof PracticeRecs);
    return bytes;
}

bool WhollyOn(const TScreenRect& s, long long left, long long top, long long width,
              long long height) {
    return left >= s.Left && top >= s.Top && left + width <= (long long)s.Left + s.Width &&
           top + height <= (long long)s.Top + s.Height;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    std::vector<TScreenRect> screens(input.Take<std::uint8_t>() % 4);
    for (TScreenRect& s : screens)
        s = input.Take<TScreenRect>();
    // The rest is the file; the store starts from the state a failed read leaves.
    ResetOptions(1280, 1024);
    EmptyAllRecords();
    LoadDataFileBytes(input.Rest());
    RepairOptions(screens);

    const TOptionRec& o = OptionRec;
    FUZZ_CHECK(o.NextRecord >= 0 && o.NextRecord < RecordCount);
    FUZZ_CHECK(o.ExamMode <= 2);
    FUZZ_CHECK(o.TouchFontSize >= 9 && o.TouchFontSize <= 26);
    FUZZ_CHECK(o.FontSize >= 9 && o.FontSize <= 20);
    FUZZ_CHECK(o.WrapColJp >= 15 && o.WrapColJp <= 45);
    FUZZ_CHECK(o.WrapColEn >= 20 && o.WrapColEn <= 90);
    for (std::int32_t choice : o.RomajiChoice)
        FUZZ_CHECK(choice >= 0 && choice <= 2);
    for (const TPracticeRec& rec : PracticeRecs)
        FUZZ_CHECK(RecordTitle(rec).size() <= static_cast<std::size_t>(TitleBytes));

    // Screens a learner can use: every window ends wholly on one of them, at a usable size.
    bool usable = !screens.empty();
    for (const TScreenRect& s : screens)
        usable = usable && s.Width >= 640 && s.Height >= 480 && s.Width <= 100000 &&
                 s.Height <= 100000 && s.Left > -1000000 && s.Left < 1000000 && s.Top > -1000000 &&
                 s.Top < 1000000;
    if (usable) {
        struct TBounds {
            std::int32_t Left, Top, Width, Height;
        } windows[] = {{o.MainLeft, o.MainTop, o.MainWidth, o.MainHeight},
                       {o.GraphLeft, o.GraphTop, o.GraphWidth, o.GraphHeight},
                       {o.EditorLeft, o.EditorTop, o.EditorWidth, o.EditorHeight}};
        for (const TBounds& w : windows) {
            FUZZ_CHECK(w.Width >= 100 && w.Height >= 100);
            bool on = false;
            for (const TScreenRect& s : screens)
                on = on || WhollyOn(s, w.Left, w.Top, w.Width, w.Height);
            FUZZ_CHECK(on);
        }
        FUZZ_CHECK(o.MainPanel2Width >= 0 && o.MainListView1Height >= 0);
    }

    // Repairing a repaired store changes nothing.
    std::string repaired = StoreBytes();
    RepairOptions(screens);
    FUZZ_CHECK(StoreBytes() == repaired);
    return 0;
}

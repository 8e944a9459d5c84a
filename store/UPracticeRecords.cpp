// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UPracticeRecords.h"

#include "platform/ShiftJis.h"

#include <QFile>

#include <cstring>
#include <ctime>

namespace {

// The file name of `path` without folder and extension, in Shift_JIS ("/a/b/Aesop.txt" gives
// "Aesop"). The name's bytes are the file system's encoding, as Qt decodes them.
std::string FileTitle(const std::filesystem::path& path) {
    return ShiftJis::FromQString(QFile::decodeName(path.stem().c_str()));
}

// At most TitleBytes bytes of whole characters.
std::string CutTitle(std::string_view title) {
    std::size_t length = 0;
    while (length < title.size()) {
        std::size_t next = length + ShiftJis::CharLength(title, length);
        if (next > static_cast<std::size_t>(TitleBytes))
            break;
        length = next;
    }
    return std::string(title.substr(0, length));
}

// A record of the common fields, every other byte zero.
TPracticeRec BaseRecord(const TExerciseState& state, TRecordMode mode, bool fileNameFallback,
                        double recDate) {
    TPracticeRec rec;
    std::memset(&rec, 0, sizeof rec);
    SetRecordTitle(rec, RecordTitleFor(state, fileNameFallback));
    rec.RecDate = recDate;
    rec.RecMode = mode;
    rec.TextKind = state.SingleByte ? TTextKind::English : TTextKind::Japanese;
    rec.KanjiCount = state.KanjiCount;
    rec.KeyCount = state.KeyCount;
    rec.Seconds = state.Seconds;
    return rec;
}

} // namespace

bool SequentialResultDue(int seconds) {
    return seconds > 1;
}

double RecDateOf(int year, int month, int day, int hour, int minute, double second) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year(year) / month / day};
    const sys_days epoch{std::chrono::year(1899) / December / 30};
    return static_cast<double>((date - epoch).count()) +
           (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double RecDateOf(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(floor<std::chrono::seconds>(moment));
    const double fraction = duration<double>(moment - floor<std::chrono::seconds>(moment)).count();
    std::tm local{};
    localtime_r(&seconds, &local);
    return RecDateOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec + fraction);
}

double CurrentRecDate() {
    return RecDateOf(std::chrono::system_clock::now());
}

std::string RecordTitleFor(const TExerciseState& state, bool fileNameFallback) {
    if (state.Title.empty() && fileNameFallback)
        return CutTitle(FileTitle(state.TextPath));
    return CutTitle(state.Title);
}

TPracticeRec SequentialRecord(const TExerciseState& state, int typedCount, int errorCount,
                              double recDate) {
    TPracticeRec rec = BaseRecord(state, TRecordMode::Sequential, true, recDate);
    rec.ExampleCount = state.CharCount;
    rec.InputCount = typedCount;
    rec.MissCount = errorCount;
    return rec;
}

TPracticeRec BulkRecord(const TExerciseState& state, const TBulkCounts& counts, bool lineByLine,
                        double recDate) {
    TPracticeRec rec = BaseRecord(
        state, lineByLine ? TRecordMode::BulkLines : TRecordMode::BulkWhole, !lineByLine, recDate);
    rec.ExampleCount = counts.ExampleCount;
    rec.InputCount = counts.InputCount;
    rec.MatchCount = counts.InputCount - counts.ExtraCount;
    rec.MissCount = counts.MissCount;
    rec.ExtraCount = counts.ExtraCount;
    return rec;
}

bool StoreSequentialExercise(const TExerciseState& state, int typedCount, int errorCount) {
    if (!SequentialResultDue(state.Seconds))
        return false;
    StoreRecord(SequentialRecord(state, typedCount, errorCount, CurrentRecDate()));
    return true;
}

void StoreBulkExercise(const TExerciseState& state, const TBulkCounts& counts, bool lineByLine) {
    StoreRecord(BulkRecord(state, counts, lineByLine, CurrentRecDate()));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window gives the statistics store, read back from TyporinStats.db as the
// analysis reads it: touch typing's units, spellings and wrong keys, sequential input's
// commits, a bulk comparison's missed characters, the exercises; a store that cannot be
// written; the analysis window.

#include "tests/app/MainWindowFixture.h"

#include "records/UfAnalysis.h"
#include "store/UStatsStore.h"
#include "tests/support/ReadOnlyPath.h"

#include <climits>
#include <map>

namespace {

class UfMainStatsTest : public TMainWindowTest {
protected:
    static void Type(QWidget* window, const char* pane, const char* keys) {
        QTest::keyClicks(Pane(window, pane), keys);
    }

    // The units recorded so far, by unit and spelling: attempts and wrong keys.
    static std::map<std::pair<std::u16string, std::string>, std::pair<int, int>> Units() {
        TStatsStore store(StatsFilePath());
        std::map<std::pair<std::u16string, std::string>, std::pair<int, int>> units;
        for (const TUnitDay& day : store.UnitDays(TInputStyle::Romaji, INT_MIN)) {
            auto& [attempts, wrong] = units[{day.Unit, day.Spelling}];
            attempts += day.Attempts;
            wrong += day.Wrong;
        }
        return units;
    }
    static int AttemptsWritten() {
        int attempts = 0;
        for (const auto& [unit, figures] : Units())
            attempts += figures.first;
        return attempts;
    }
};

TEST_F(UfMainStatsTest, TouchTypingRecordsEveryUnitItsSpellingAndItsWrongKeys) {
    auto window = StartSentence(TPracticeMode::Touch, u"しか\r\nあっと");
    QWidget* w = window.get();
    // X where S is due, then し typed SHI.
    Type(w, "RichEdit1", "xshika");
    // The string's end writes it: a kill from here on loses none of it.
    EXPECT_TRUE(QTest::qWaitFor([] { return AttemptsWritten() == 2; }, 5000));
    QTest::keyClick(Pane(w, "RichEdit1"), Qt::Key_Return);
    Type(w, "RichEdit1", "atto");
    Tick(w, 3);
    QTest::keyClick(Pane(w, "RichEdit1"), Qt::Key_Return);
    EXPECT_EQ(Panel(w, "StatusBar1", 1), QStringLiteral("間違えたかな  し×1"));
    window.reset();

    using TKey = std::pair<std::u16string, std::string>;
    std::map<TKey, std::pair<int, int>> expected = {
        {{u"し", "SHI"}, {1, 1}}, {{u"か", "KA"}, {1, 0}}, {{u"あ", "A"}, {1, 0}},
        {{u"っ", "T"}, {1, 0}},   {{u"と", "TO"}, {1, 0}},
    };
    EXPECT_EQ(Units(), expected);

    TStatsStore store(StatsFilePath());
    std::vector<TMissDay> misses = store.MissDays(TInputStyle::Romaji, INT_MIN);
    ASSERT_EQ(misses.size(), 1u);
    EXPECT_EQ(misses[0].Unit, u"し");
    EXPECT_EQ(misses[0].Expected, "S");
    EXPECT_EQ(misses[0].Typed, "X");
    std::vector<TTouchDay> days = store.TouchDays(TInputStyle::Romaji, INT_MIN);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].Exercises, 1);
    EXPECT_EQ(days[0].Seconds, 3);
    EXPECT_EQ(days[0].Keys, 10);
    EXPECT_EQ(days[0].WrongKeys, 1);
    EXPECT_EQ(days[0].Units, 5);
}

TEST_F(UfMainStatsTest, AnAbandonedDrillKeepsWhatWasTypedAndAnUntouchedOneLeavesNothing) {
    auto window = StartSentence(TPracticeMode::Touch, u"かき");
    Type(window.get(), "RichEdit1", "ka");
    // Another mode abandons the drill; the sentence started again there is never typed.
    Action(window.get(), "Part1")->trigger();
    ClickSentence(window.get(), 0);
    window.reset();
    TStatsStore store(StatsFilePath());
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 1);
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Sequential), 0);
    EXPECT_EQ(AttemptsWritten(), 1);
}

TEST_F(UfMainStatsTest, SequentialInputRecordsEveryCommit) {
    auto window = StartSentence(TPracticeMode::Sequential, u"あいう");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Commit(typed, QStringLiteral("あい"));
    Commit(typed, QStringLiteral("え"));
    Commit(typed, QStringLiteral("う"));
    window.reset();
    TStatsStore store(StatsFilePath());
    std::vector<TCommitDay> days = store.CommitDays(INT_MIN);
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].Commits, 3);
    EXPECT_EQ(days[0].Accepted, 2);
    EXPECT_EQ(days[0].CommittedChars, 3);
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Sequential), 1);
}

TEST_F(UfMainStatsTest, ABulkComparisonRecordsTheExamplesMissedCharacters) {
    auto window = StartSentence(TPracticeMode::Bulk, u"あいうい");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Commit(typed, QStringLiteral("あう"));
    Action(window.get(), "Comp1")->trigger();
    window.reset();
    TStatsStore store(StatsFilePath());
    std::map<std::u16string, int> missed;
    for (const TCharCount& c : store.BulkMisses(INT_MIN))
        missed[c.Character] += c.Count;
    EXPECT_EQ(missed, (std::map<std::u16string, int>{{u"い", 2}}));
}

// A store that cannot be written: practice goes on, Typorin.dat is written as ever, and the
// learner is told once, never in the middle of a string.
TEST_F(UfMainStatsTest, AnUnwritableStoreIsToldOnceAtAStringsEnd) {
    { TStatsStore(StatsFilePath()).SetSetting("made", "1"); }
    TReadOnlyPath locked(StatsFilePath());
    if (!locked.Supported())
        GTEST_SKIP() << "no way to make a file unwritable here";
    auto window = StartSentence(TPracticeMode::Touch, u"かき\r\nく");
    QWidget* w = window.get();
    const std::size_t before = FDialogs.Messages.size();
    Type(w, "RichEdit1", "kak");
    QTest::qWait(200);
    EXPECT_EQ(FDialogs.Messages.size(), before) << "no box while a string is typed";
    Type(w, "RichEdit1", "i");
    QTest::keyClick(Pane(w, "RichEdit1"), Qt::Key_Return);
    Type(w, "RichEdit1", "ku");
    QTest::keyClick(Pane(w, "RichEdit1"), Qt::Key_Return);
    QTest::qWait(200);
    int warnings = 0;
    for (const auto& message : FDialogs.Messages)
        warnings += message.Icon == Dialogs::TIcon::Warning;
    EXPECT_EQ(warnings, 1);
    window->close();
    locked.Release();
    EXPECT_FALSE(FileBytes().empty()) << "Typorin.dat is written all the same";
}

TEST_F(UfMainStatsTest, TheAnalysisWindowOpensOnceAndClosesWithTheMainWindow) {
    WriteSettings();
    auto window = Open();
    Action(window.get(), "Analysis1")->trigger();
    Action(window.get(), "Analysis1")->trigger();
    EXPECT_EQ(window->findChildren<TfrmAnalysis*>().size(), 1);
    QPointer<TfrmAnalysis> analysis = window->findChild<TfrmAnalysis*>();
    ASSERT_TRUE(analysis);
    EXPECT_TRUE(analysis->isVisible());
    window.reset();
    EXPECT_FALSE(analysis);
}

} // namespace

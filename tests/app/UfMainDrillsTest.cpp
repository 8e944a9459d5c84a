// SPDX-License-Identifier: GPL-3.0-or-later
// The generated practice of the main window, driven as a learner drives it: the kana course
// from its first stage to the first unlock, the weakness drill with and without enough
// statistics, and the retry of missed strings.

#include "tests/app/MainWindowFixture.h"

#include "dialogs/UfCourse.h"
#include "drills/UKanaCourse.h"
#include "exercise/UExerciseStats.h"
#include "store/UStatsStore.h"

#include <QTreeWidget>

namespace {

using ShiftJis::Sjis;

class UfMainDrillsTest : public TMainWindowTest {
protected:
    std::unique_ptr<TfrmMain> OpenInTouchTyping() {
        WriteRegister("a.txt", u"FF<0001>朝\r\nかき\r\nくけ\r\n");
        WriteSettingsInMode(TPracticeMode::Touch);
        return Open();
    }

    // Types the string shown by its guide line, then Enter; false once no string is shown.
    static bool TypeShownString(QWidget* window) {
        TRichEdit* example = Pane(window, "RichEdit1");
        if (example->LineCount() < 2)
            return false;
        QTest::keyClicks(example, QString::fromLatin1(example->Line(1)));
        QTest::keyClick(example, Qt::Key_Return);
        return true;
    }

    // Answers the course's stage list with its own choice, the stage being learnt.
    static void AcceptCourseDialogSoon() {
        QTimer::singleShot(0, [] {
            if (auto* dialog = dynamic_cast<TfrmCourse*>(QApplication::activeModalWidget()))
                dialog->accept();
            else
                ADD_FAILURE() << "no stage list";
        });
    }

    // Attempts of `units` typed clean, and `weak` with a wrong key every other time.
    static void RecordAttempts(const std::vector<std::u16string>& units,
                               const std::u16string& weak) {
        TStatsStore store(StatsFilePath());
        TExerciseHead head;
        head.Started = TStatsStore::Now();
        head.Day = TStatsStore::LocalDay(head.Started);
        TStatsStore::TExerciseId id = store.BeginExercise(head);
        auto add = [&](const std::u16string& unit, bool miss) {
            TUnitAttempt attempt;
            attempt.Unit = unit;
            attempt.Spelling = "X";
            attempt.Millis = 200;
            attempt.Keys = {{"X", 200}};
            if (miss)
                attempt.Misses = {{"X", "Y"}};
            store.AddAttempt(id, std::move(attempt));
        };
        for (int i = 0; i < 30; ++i) {
            for (const std::u16string& unit : units)
                add(unit, false);
            add(weak, i % 2 == 0);
        }
        store.SetTotals(id, {60, 400, 15, 400, true});
    }
};

TEST_F(UfMainDrillsTest, TheCourseStartsWithTheVowelsAndUnlocksTheNextKanaWhenTheyAreMastered) {
    auto window = OpenInTouchTyping();
    QWidget* w = window.get();
    // The stage again and again, until every vowel has its attempts.
    const QString unlocked = QStringLiteral("新しいかな「か」が加わりました。");
    for (int round = 0;
         round < 6 && (FDialogs.Messages.empty() || FDialogs.Messages.back().Text != unlocked);
         ++round) {
        AcceptCourseDialogSoon();
        Action(w, "KanaCourse1")->trigger();
        ASSERT_TRUE(window->windowTitle().contains(QStringLiteral("コース あ行")));
        // Only unlocked kana: the vowels.
        const QString shown = ShiftJis::ToQString(Pane(w, "RichEdit1")->Line(0));
        for (QChar c : shown)
            EXPECT_TRUE(QStringLiteral("あいうえお、").contains(c)) << shown.toStdString();
        const std::size_t before = FDialogs.Messages.size();
        for (int strings = 0; strings < 30 && FDialogs.Messages.size() == before; ++strings)
            ASSERT_TRUE(TypeShownString(w));
        ASSERT_FALSE(FDialogs.Messages.empty());
    }
    EXPECT_EQ(FDialogs.Messages.back().Text, unlocked);
    window.reset();
    TStatsStore store(StatsFilePath());
    EXPECT_EQ(UKanaCourse::LoadProgress(store, TInputStyle::Romaji).Unlocked,
              UKanaCourse::InitialUnlocked + 1);
}

TEST_F(UfMainDrillsTest, TheStageListShowsTheStatesAndLocksWhatHasNotBegun) {
    std::vector<UKanaCourse::TStageStatus> stages = {
        {u"あ行", UKanaCourse::TState::Mastered, 5, 5},
        {u"か行", UKanaCourse::TState::InProgress, 2, 5},
        {u"さ行", UKanaCourse::TState::Locked, 0, 5},
    };
    TfrmCourse dialog(stages, 1);
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvStages"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("習得済み"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("練習中 2/5"));
    EXPECT_EQ(list->topLevelItem(2)->text(2), QStringLiteral("まだ"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("か・き・く・け・こ"));
    EXPECT_EQ(dialog.ChosenStage(), 1);
    EXPECT_FALSE(list->topLevelItem(2)->flags() & Qt::ItemIsEnabled);
}

TEST_F(UfMainDrillsTest, AWeaknessDrillWithoutStatisticsSaysSoAndGivesTheCourse) {
    auto window = OpenInTouchTyping();
    Action(window.get(), "WeaknessDrill1")->trigger();
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Information);
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("コース あ行")));
}

TEST_F(UfMainDrillsTest, AWeaknessDrillIsFullOfTheMistypedKanaAndStartsFromOtherModes) {
    RecordAttempts(
        {u"あ", u"い", u"う", u"え", u"お", u"か", u"き", u"く", u"け", u"こ", u"た", u"に", u"の"},
        u"し");
    WriteRegister("a.txt", u"FF<0001>朝\r\nかき\r\n");
    WriteSettingsInMode(TPracticeMode::Sequential);
    auto window = Open();
    Action(window.get(), "WeaknessDrill1")->trigger();
    EXPECT_TRUE(FDialogs.Messages.empty());
    EXPECT_TRUE(Action(window.get(), "Touch1")->isChecked()) << "the drill is touch typing";
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("苦手克服 し")))
        << window->windowTitle().toStdString();
    // The weak kana fills the drill: typed through, its strings hold it again and again.
    int weak = 0;
    for (int strings = 0; strings < 12 && FDialogs.Messages.empty(); ++strings) {
        weak += ShiftJis::ToQString(Pane(window.get(), "RichEdit1")->Line(0))
                    .count(QStringLiteral("し"));
        ASSERT_TRUE(TypeShownString(window.get()));
    }
    EXPECT_GE(weak, 4);
}

TEST_F(UfMainDrillsTest, TheRetryPractisesTheMissedStringsOnceInOrder) {
    WriteRegister("a.txt", u"FF<0001>朝\r\nか\r\nき\r\nく\r\n");
    WriteSettingsInMode(TPracticeMode::Touch);
    auto window = Open();
    QWidget* w = window.get();
    EXPECT_FALSE(Action(w, "Retry1")->isEnabled());
    ClickSentence(w, 0);
    TRichEdit* example = Pane(w, "RichEdit1");
    // か with a wrong key, き clean, く with a wrong key.
    for (const char* keys : {"xka", "ki", "zku"}) {
        QTest::keyClicks(example, keys);
        QTest::keyClick(example, Qt::Key_Return);
    }
    ASSERT_TRUE(Action(w, "Retry1")->isEnabled());
    Action(w, "Retry1")->trigger();
    EXPECT_EQ(example->Text(), Sjis(u"か\r\nKA"));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("間違えた文字列")));
    QTest::keyClicks(example, "ka");
    QTest::keyClick(example, Qt::Key_Return);
    EXPECT_EQ(example->Text(), Sjis(u"く\r\nKU"));
}

// A drill loaded by a menu letter (練習モード, then W) sees that letter's release: it is no
// keystroke of the drill.
TEST_F(UfMainDrillsTest, TheReleaseOfTheMenuLetterThatLoadedADrillIsNoKeystroke) {
    auto window = OpenInTouchTyping();
    QWidget* w = window.get();
    Action(w, "WeaknessDrill1")->trigger();
    FDialogs.Messages.clear();
    QTest::keyRelease(Pane(w, "RichEdit1"), Qt::Key_W);
    QTest::keyRelease(Pane(w, "RichEdit1"), Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(Panel(w, "StatusBar2", 0), ShiftJis::ToQString(TouchCountersText(0, 0, 0)));
    TRichEdit* example = Pane(w, "RichEdit1");
    QTest::keyClick(example, example->Line(1)[0]);
    EXPECT_EQ(Panel(w, "StatusBar2", 0), ShiftJis::ToQString(TouchCountersText(0, 1, 0)));
}

} // namespace

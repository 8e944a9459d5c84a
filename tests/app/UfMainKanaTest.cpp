// SPDX-License-Identifier: GPL-3.0-or-later
// Touch typing by kana input and on the US keyboard in the main window: the settings kept in
// the statistics store choose them; keys are taken by their place (the X key code the key
// event carries), the keyboard shows kana legends and marks strokes, and the statistics are
// kept apart by input style.

#include "tests/app/MainWindowFixture.h"

#include "romaji/UuKbClass.h"
#include "store/UStatsStore.h"
#include "store/UTouchSettings.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <climits>
#include <map>

namespace {

using ShiftJis::Sjis;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

class UfMainKanaTest : public TMainWindowTest {
protected:
    std::unique_ptr<TfrmMain> Start(std::u16string_view text, TTouchSettings touch) {
        {
            TStatsStore store(StatsFilePath());
            SaveTouchSettings(store, touch);
            store.Sync();
        }
        return StartSentence(TPracticeMode::Touch, text);
    }

    // The X key code of the JIS key at `place`.
    static std::uint32_t CodeOf(char place) {
        for (std::uint32_t code = 9; code < 256; ++code)
            if (KeyOfScanCode(TKeyboardKind::Jis, code) == place)
                return code;
        ADD_FAILURE() << "no key code for " << place;
        return 0;
    }

    // The key at `place` pressed and released in the example pane, carrying `text` as the
    // desktop's layout makes of it.
    static void Stroke(QWidget* window, char place, bool shift, const QString& text) {
        QWidget* pane = Pane(window, "RichEdit1");
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, CodeOf(place), 0, 0, text);
        QApplication::sendEvent(pane, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, modifiers, CodeOf(place), 0, 0,
                          text);
        QApplication::sendEvent(pane, &release);
    }

    // The fill of the painted key at `caption` as the keyboard of `style` shows it now: the
    // colour most pixels near its centre have (the legends cover some).
    static QColor KeyFill(QWidget* window, char caption, TKeyboardStyle style) {
        QWidget* box = Find(window, "PaintBox1");
        TKbGeometry geometry = LayoutKeyboard(box->width(), box->height(), style);
        int index = 0;
        EXPECT_TRUE(geometry.FindKey(caption, index)) << caption;
        TKbPoint centre = geometry.Centre(index);
        QImage shown = box->grab().toImage();
        std::map<QRgb, int> counts;
        const int r = geometry.Unit / 4;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                ++counts[shown.pixel(centre.X + dx, centre.Y + dy)];
        auto most = std::max_element(counts.begin(), counts.end(),
                                     [](auto& a, auto& b) { return a.second < b.second; });
        return QColor::fromRgb(most->first);
    }

    static std::map<std::pair<std::u16string, std::string>, int> Units(TInputStyle style) {
        TStatsStore store(StatsFilePath());
        std::map<std::pair<std::u16string, std::string>, int> units;
        for (const TUnitDay& day : store.UnitDays(style, INT_MIN))
            units[{day.Unit, day.Spelling}] += day.Attempts;
        return units;
    }
};

constexpr TKeyboardStyle KanaPicture{TKeyboardKind::Jis, TKeyLegends::Kana};

TEST_F(UfMainKanaTest, AKanaDrillIsTypedByKeyPlacesWhateverTheLayoutTypes) {
    // Kana input is JIS-only: the US keyboard chosen for romaji input stays out of it.
    auto window = Start(u"がぁ", {TInputStyle::Kana, TKeyboardKind::Us});
    QWidget* w = window.get();
    TRichEdit* example = Pane(w, "RichEdit1");
    EXPECT_EQ(example->Text(), Sjis(u"がぁ\r\nか゛ぁ"));
    EXPECT_EQ(KeyFill(w, 'T', KanaPicture), Blue);

    // A US layout types "t" on the key of か, a jp kana layout "か": both are the T key.
    Stroke(w, 'T', false, QStringLiteral("t"));
    EXPECT_EQ(KeyFill(w, '@', KanaPicture), Blue);
    // The key of ゛ typed "[" under a US layout; a wrong key under any layout is marked red.
    Stroke(w, '[', false, QStringLiteral("]"));
    EXPECT_EQ(KeyFill(w, '[', KanaPicture), Red);
    EXPECT_EQ(KeyFill(w, '@', KanaPicture), Blue);
    Stroke(w, '@', false, QStringLiteral("["));
    // ぁ: Shift and 3.
    EXPECT_EQ(KeyFill(w, '3', KanaPicture), Blue);
    // The 3 key without Shift types あ: wrong, and red over the blue.
    Stroke(w, '3', false, QStringLiteral("3"));
    EXPECT_EQ(KeyFill(w, '3', KanaPicture), Red);
    Stroke(w, '3', true, QString::fromUtf16(u"ぁ"));
    EXPECT_EQ(Panel(w, "StatusBar1", 1),
              QStringLiteral("  [Space]キーで繰り返し    [Enter]キーで次の文字列"));
    EXPECT_EQ(example->Text(), Sjis(u"がぁ\r\nか゛ぁ")) << "no character is inserted";
    QTest::keyClick(example, Qt::Key_Return);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Text, QStringLiteral("終了しました。"));
    window.reset();

    // Kept as kana input, with the keys that typed each unit; nothing as romaji input.
    std::map<std::pair<std::u16string, std::string>, int> expected = {{{u"が", "T@"}, 1},
                                                                      {{u"ぁ", "#"}, 1}};
    EXPECT_EQ(Units(TInputStyle::Kana), expected);
    EXPECT_TRUE(Units(TInputStyle::Romaji).empty());
}

TEST_F(UfMainKanaTest, WithoutKeyPlacesTheCharactersAreTakenAsTheirJisKeys) {
    auto window = Start(u"ちと", {TInputStyle::Kana, TKeyboardKind::Jis});
    QWidget* w = window.get();
    QTest::keyClicks(Pane(w, "RichEdit1"), "as");
    EXPECT_EQ(Panel(w, "StatusBar1", 1),
              QStringLiteral("  [Space]キーで繰り返し    [Enter]キーで次の文字列"));
}

TEST_F(UfMainKanaTest, RomajiInputOnTheUsKeyboardMarksItsKeys) {
    auto window = Start(u"「あ」", {TInputStyle::Romaji, TKeyboardKind::Us});
    QWidget* w = window.get();
    constexpr TKeyboardStyle us{TKeyboardKind::Us, TKeyLegends::Romaji};
    EXPECT_EQ(Pane(w, "RichEdit1")->Line(1), "[A]");
    EXPECT_EQ(KeyFill(w, '[', us), Blue);
    QTest::keyClicks(Pane(w, "RichEdit1"), "[");
    EXPECT_EQ(KeyFill(w, 'A', us), Blue);
    QTest::keyClicks(Pane(w, "RichEdit1"), "a]");
    window.reset();
    TStatsStore store(StatsFilePath());
    std::map<std::pair<std::u16string, std::string>, int> units;
    for (const TUnitDay& day : store.UnitDays(TInputStyle::Romaji, INT_MIN))
        units[{day.Unit, day.Spelling}] += day.Attempts;
    EXPECT_EQ(units.size(), 3u);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translate.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

namespace {

struct TFillCase {
    const char* Name;
    std::u16string_view Text;
    std::initializer_list<std::u16string_view> Args;
    std::u16string_view Expected;
};

TEST(TranslateTest, FillArgsReplacesEveryMarkerOnce) {
    const TFillCase cases[] = {
        {"InOrder", u"%1 / %2", {u"a", u"b"}, u"a / b"},
        {"EnglishWordOrder", u"line %2 of %1", {u"x.txt", u"3"}, u"line 3 of x.txt"},
        {"RepeatedMarker", u"%1 and %1", {u"a"}, u"a and a"},
        {"ArgumentHoldsAMarker", u"%1 %2", {u"%2", u"b"}, u"%2 b"},
        {"MarkerWithoutArgumentStays", u"%1 %3", {u"a"}, u"a %3"},
        {"PercentAtTheEnd", u"100%", {u"a"}, u"100%"},
        {"PercentNotFollowedByADigit", u"%a %0", {u"a"}, u"%a %0"},
    };
    for (const TFillCase& c : cases)
        EXPECT_EQ(FillArgs(c.Text, c.Args), c.Expected) << c.Name;
}

TEST(TranslateTest, WithoutATranslationTheSourceComesBackInEachEncoding) {
    EXPECT_EQ(FillArgs(TrText("TranslateTest", "全 %1 文字"), {u"12"}), u"全 12 文字");
    EXPECT_EQ(TrSjis("TranslateTest", "逐次入力"), ShiftJis::Sjis(u"逐次入力"));
    EXPECT_EQ(TrUtf8("TranslateTest", "一括入力"), "一括入力");
    EXPECT_STREQ(TR_NOOP("TranslateTest", "タッチタイプ"), "タッチタイプ");
}

} // namespace

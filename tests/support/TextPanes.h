// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two text panes for typed test suites: the in-memory one and the Qt one, so that every
// test of an engine that acts on panes runs against both.
//
//   TYPED_TEST_SUITE(MyTest, TTextPaneKinds, TTextPaneKindNames);
//   std::unique_ptr<TypeParam> pane = NewTestPane<TypeParam>();

#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "tests/support/MemoryTextPane.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

using TTextPaneKinds = ::testing::Types<TMemoryTextPane, TRichEdit>;

struct TTextPaneKindNames {
    template <class TPane>
    static std::string GetName(int) {
        return std::is_same_v<TPane, TRichEdit> ? "RichEdit" : "Memory";
    }
};

// A fresh pane. The Qt pane is shown (offscreen in tests) at 320 × 160 pixels, because lines,
// scrolling and points need a laid-out widget.
template <class TPane>
std::unique_ptr<TPane> NewTestPane() {
    auto pane = std::make_unique<TPane>();
    if constexpr (std::is_same_v<TPane, TRichEdit>) {
        pane->resize(320, 160);
        pane->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
    }
    return pane;
}

// Lets the input method start a composition in the pane: a preedit event for the Qt pane.
inline void StartComposition(TMemoryTextPane& pane) {
    pane.StartComposition();
}
inline void StartComposition(TRichEdit& pane) {
    QInputMethodEvent preedit(QStringLiteral("か"), {});
    QApplication::sendEvent(&pane, &preedit);
}

// The composition colours the main window gives its typing field: black on white underlined,
// automatic on cyan, black on white underlined, black on cyan underlined.
inline const TCompositionColors TypingFieldCompositionColors{{
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, true, PaneColors::Cyan, false},
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, false, PaneColors::Cyan, true},
}};

// Shift_JIS from a UTF-16 literal, for readable Japanese test data.
using ShiftJis::Sjis;

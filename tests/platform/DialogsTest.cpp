// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes of the dialogs seam as the learner meets them, without a responder: the keys that
// answer a question with Cancel, and a text question that keeps a refused answer open.

#include "platform/Dialogs.h"
#include "platform/DialogFrame.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// Runs `steps` on the modal boxes that come to the front next, one step per box, in order; a
// box that comes back after another closed over it counts again.
class TModalSteps {
public:
    explicit TModalSteps(std::deque<std::function<void(QWidget*)>> steps)
        : FSteps(std::move(steps)) {
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (FSteps.empty() || !box || box == FLast)
                return;
            FLast = box;
            auto step = FSteps.front();
            FSteps.pop_front();
            // Outside the timer's call: a step may open a box, whose own wait needs the timer.
            QTimer::singleShot(0, box, [step, box] { step(box); });
        });
        FTimer.start(5);
    }
    bool Done() const { return FSteps.empty(); }

private:
    std::deque<std::function<void(QWidget*)>> FSteps;
    QTimer FTimer;
    QWidget* FLast = nullptr;
};

TEST(DialogsTest, EscapeAndTheCloseBoxAnswerCancel) {
    struct TCase {
        const char* Name;
        std::function<void(QWidget*)> Answer;
        Dialogs::TAnswer Expected;
    } cases[] = {
        {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); },
         Dialogs::TAnswer::Cancel},
        {"close box", [](QWidget* box) { box->close(); }, Dialogs::TAnswer::Cancel},
        {"Enter", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); },
         Dialogs::TAnswer::Yes},
        {"No",
         [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click(); },
         Dialogs::TAnswer::No},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TModalSteps steps({c.Answer});
        EXPECT_EQ(Dialogs::AskYesNoCancel(nullptr, Dialogs::TIcon::Warning,
                                          QStringLiteral("変更を保存しますか?")),
                  c.Expected);
        EXPECT_TRUE(steps.Done());
    }
}

// OK with a refused answer shows why; the question stays open with the answer selected, and
// a corrected answer is taken.
TEST(DialogsTest, ARefusedAnswerKeepsTheQuestionOpen) {
    auto refusal = [](const QString& answer) {
        return answer.contains(u'/') ? QStringLiteral("使えない文字があります。") : QString();
    };
    const QString caption = QStringLiteral("文章登録ファイルの新規作成");
    bool stayedOpen = false, selected = false, wideEnough = false;
    QString shownWhy;
    QLineEdit* edit = nullptr;
    TModalSteps steps({
        [&](QWidget* box) {
            wideEnough = box->width() >= CaptionWidth(box);
            edit = box->findChild<QLineEdit*>();
            edit->setText(QStringLiteral("a/b"));
            QTest::keyClick(edit, Qt::Key_Return);
        },
        [&](QWidget* box) {
            shownWhy = static_cast<QMessageBox*>(box)->text();
            QTest::keyClick(box, Qt::Key_Return);
        },
        [&](QWidget* box) {
            stayedOpen = qobject_cast<QInputDialog*>(box) && box->isVisible();
            selected = edit->selectedText() == QStringLiteral("a/b");
            edit->setText(QStringLiteral("ab"));
            QTest::keyClick(edit, Qt::Key_Return);
        },
    });
    std::optional<QString> answer =
        Dialogs::AskText(nullptr, caption, QStringLiteral("作成するファイル名を入力してください。"),
                         QStringLiteral("新規ファイル"), refusal);
    EXPECT_EQ(answer, QStringLiteral("ab"));
    EXPECT_EQ(shownWhy, QStringLiteral("使えない文字があります。"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(selected);
    EXPECT_TRUE(wideEnough) << "the caption shows whole";
}

} // namespace

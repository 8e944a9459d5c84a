// SPDX-License-Identifier: GPL-3.0-or-later
// The settings command and the about box of the main window: the dialog driven while it is
// shown modally, and what the window shows and stores after it closes.

#include "tests/app/MainWindowFixture.h"

#include "dialogs/UfSetOption.h"
#include "dialogs/UfVersion.h"
#include "platform/Shell.h"
#include "platform/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <functional>

namespace {

class UfMainOptionsTest : public TMainWindowTest {
protected:
    // Runs `drive` on the modal dialog of type T as soon as `command` has shown it; `drive`
    // closes it.
    template <typename T>
    static void WithModal(QAction* command, std::function<void(T*)> drive) {
        bool driven = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
                poll.stop();
                driven = true;
                drive(dialog);
            }
        });
        poll.start();
        command->trigger();
        EXPECT_TRUE(driven) << "the dialog was shown";
    }

    static void Step(QWidget* dialog, const char* upDown, bool up, int count = 1) {
        auto* control = dialog->findChild<TUpDown*>(QString::fromLatin1(upDown));
        ASSERT_NE(control, nullptr) << upDown;
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(up ? control->UpButton() : control->DownButton(), Qt::LeftButton);
    }

    static int PointSize(QWidget* window, const char* name) {
        return Find(window, name)->font().pointSize();
    }
};

TEST_F(UfMainOptionsTest, TheSettingsCommandAndTheAboutCommandAreOn) {
    WriteSettings();
    auto window = Open();
    for (const char* name : {"SetOption1", "About1"})
        EXPECT_TRUE(Action(window.get(), name)->isEnabled()) << name;
    EXPECT_TRUE(Find<QToolButton>(window.get(), "ToolButton11")->isEnabled());
}

TEST_F(UfMainOptionsTest, NewFontSizesReachBothPanesAndListsWithTheCaretKept) {
    auto window = StartSentence(TPracticeMode::Bulk, u"あさ");
    QWidget* w = window.get();
    TRichEdit* typed = Pane(w, "RichEdit2");
    Commit(typed, QStringLiteral("あさの"));
    typed->SetSelStart(2);

    WithModal<TfrmSetOption>(Action(w, "SetOption1"), [](TfrmSetOption* dialog) {
        Step(dialog, "UpDown5", true, 4);
        Step(dialog, "UpDown1", false, 2);
        dialog->close();
    });
    EXPECT_EQ(OptionRec.FontSize, 16);
    EXPECT_EQ(OptionRec.TouchFontSize, 16);
    for (const char* name : {"RichEdit1", "RichEdit2", "ListView1", "ListView2"})
        EXPECT_EQ(PointSize(w, name), 16) << name;
    EXPECT_EQ(typed->SelStart(), 2);
    EXPECT_EQ(typed->Text(), ShiftJis::FromUtf16(u"あさの"));
    EXPECT_EQ(Pane(w, "RichEdit1")->Text(), ShiftJis::FromUtf16(u"あさ"));

    // The other modes take the new sizes too; touch typing its own.
    Action(w, "Touch1")->trigger();
    EXPECT_EQ(PointSize(w, "RichEdit1"), 16);
    Action(w, "Part1")->trigger();
    EXPECT_EQ(PointSize(w, "RichEdit1"), 16);

    // The settings are in the file after the window closes, and the dialog opens on them.
    ASSERT_TRUE(window->close());
    std::memset(&OptionRec, 0, sizeof OptionRec);
    ReadDataFile(DataFilePath());
    EXPECT_EQ(OptionRec.FontSize, 16);
    EXPECT_EQ(OptionRec.TouchFontSize, 16);
    TfrmSetOption again;
    EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("Edit5"))->text(), QStringLiteral("16"));
}

TEST_F(UfMainOptionsTest, TouchTypingTakesTheNewSizeAndTheLowerCaseGuideWithoutLosingItsPlace) {
    auto window = StartSentence(TPracticeMode::Touch, u"しか\r\nあか");
    QWidget* w = window.get();
    TRichEdit* example = Pane(w, "RichEdit1");
    QTest::keyClicks(example, "si");
    ASSERT_EQ(example->Text(), ShiftJis::FromUtf16(u"しか\r\nSIKA"));
    int caret = example->SelStart();
    QImage keyboardBefore = Find(w, "PaintBox1")->grab().toImage();

    WithModal<TfrmSetOption>(Action(w, "SetOption1"), [](TfrmSetOption* dialog) {
        Step(dialog, "UpDown1", true, 4);
        QTest::mouseClick(dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1")),
                          Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Button1")),
                          Qt::LeftButton);
    });
    EXPECT_EQ(PointSize(w, "RichEdit1"), 22);
    EXPECT_EQ(example->SelStart(), caret);
    EXPECT_EQ(example->Text(), ShiftJis::FromUtf16(u"しか\r\nSIKA")) << "the string in hand stays";
    EXPECT_EQ(Find(w, "PaintBox1")->grab().toImage(), keyboardBefore) << "the marks stay";

    // The drill goes on where it was; the next string shows its guide in lower case.
    QTest::keyClicks(example, "ka");
    QTest::keyClick(example, Qt::Key_Return);
    EXPECT_EQ(example->Text(), ShiftJis::FromUtf16(u"あか\r\naka"));
    EXPECT_TRUE(FDialogs.Messages.empty());
}

// An edited file may hold bounds the dialog's controls cannot show or its rule cannot keep: such
// a pair opens at its defaults; a usable pair as it was stored.
TEST_F(UfMainOptionsTest, DamagedGraphBoundsAreRepairedWhenTheFileIsRead) {
    WriteSettings([](TOptionRec& o) {
        o.GraphMatchMax = 250;
        o.GraphKanjiMax = 30;
        o.GraphKanjiMin = 25;
        o.GraphKeySpeedMax = 490;
        o.GraphKeySpeedMin = 480;
    });
    auto window = Open();
    EXPECT_TRUE(FDialogs.Messages.empty());
    WithModal<TfrmSetOption>(Action(window.get(), "SetOption1"), [](TfrmSetOption* dialog) {
        auto text = [dialog](const char* name) {
            return dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        };
        EXPECT_EQ(text("Edit8"), QStringLiteral("100"));
        EXPECT_EQ(text("Edit9"), QStringLiteral("80"));
        EXPECT_EQ(text("Edit12"), QStringLiteral("40"));
        EXPECT_EQ(text("Edit13"), QStringLiteral("20"));
        EXPECT_EQ(text("Edit19"), QStringLiteral("490"));
        EXPECT_EQ(text("Edit20"), QStringLiteral("480"));
        dialog->close();
    });
    EXPECT_EQ(OptionRec.GraphMatchMax, 100);
    EXPECT_EQ(OptionRec.GraphKanjiMin, 20);
    EXPECT_EQ(OptionRec.GraphKeySpeedMin, 480);
}

TEST_F(UfMainOptionsTest, TheAboutBoxShowsTheVersionAndItsLinkOpensTheMailProgram) {
    WriteSettings();
    auto window = Open();
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    WithModal<TfrmVersion>(Action(window.get(), "About1"), [](TfrmVersion* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("TYPORIN - バージョン情報"));
        EXPECT_EQ(box->size(), QSize(315, 205));
        EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
        auto label = [box](const char* name) {
            return box->findChild<QLabel*>(QString::fromLatin1(name));
        };
        EXPECT_EQ(label("Label1")->text(), QStringLiteral("TYPORIN ver. 1.0.0"));
        EXPECT_EQ(label("Label4")->text(),
                  QStringLiteral("求む！　バグ・不具合報告　質問もＯＫ！"));
        EXPECT_FALSE(label("Image1")->pixmap().isNull());
        QLabel* mail = label("Label3");
        EXPECT_EQ(mail->text(), AuthorMailAddress);
        EXPECT_EQ(mail->toolTip(), QStringLiteral("作者へメールを送る"));
        EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_TRUE(mail->font().underline());
        EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(mail, Qt::LeftButton);
        box->close();
    });
    ASSERT_EQ(opened.size(), 1u);
    // Percent-encoded as UTF-8, the separators as they are.
    EXPECT_EQ(opened[0].toEncoded(),
              QByteArray("mailto:") + AuthorMailAddress.toUtf8() + "?Subject=TYPORIN" +
                  QByteArray("について").toPercentEncoding() + "&cc=&Body=" +
                  QByteArray("メールはテキスト形式でお送りください。").toPercentEncoding());
    SetUrlOpener({});
}

} // namespace

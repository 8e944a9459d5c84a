// SPDX-License-Identifier: GPL-3.0-or-later
// Every window in English: no label, button, check box or group box whose text is wider than
// the control that shows it. The English translation is installed for each test and removed
// after it, so the other tests keep their Japanese texts.

#include "MainWindowFixture.h"

#include "dialogs/UfCourse.h"
#include "dialogs/UfSetOption.h"
#include "dialogs/UfVersion.h"
#include "editor/UfRegiFileBox.h"
#include "editor/UfTitleBox.h"
#include "store/UStatsStore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTranslator>

namespace {

// The text as it is drawn: without the & of an access key, line by line.
int TextWidth(const QFontMetrics& metrics, QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    int widest = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// Every control of `window` whose text does not fit, one a line: "name (class): text …".
std::string Clipped(QWidget* window) {
    QStringList clipped;
    auto report = [&](QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            clipped << QStringLiteral("%1 (%2): \"%3\" needs %4 px, has %5")
                           .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()),
                                text)
                           .arg(need)
                           .arg(have);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->width() <= 0)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull() ||
                label->textFormat() == Qt::RichText)
                continue;
            const int need = TextWidth(label->fontMetrics(), label->text());
            report(w, label->text(), need, label->contentsRect().width() - 2 * label->margin());
            // A label drawn under a sibling to its right (a box placed over its end) is cut
            // where the sibling starts.
            const QRect drawn(label->geometry().topLeft(), QSize(need, label->height()));
            for (QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(
                     QString(), Qt::FindDirectChildrenOnly))
                if (sibling != label && sibling->isVisibleTo(window) && sibling->x() > label->x() &&
                    drawn.intersects(sibling->geometry()))
                    report(w, label->text(), need, sibling->x() - label->x());
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* button = static_cast<QAbstractButton*>(w);
            report(w, button->text(), button->sizeHint().width(), button->width());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            if (button->text().isEmpty())
                continue;
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            report(w, button->text(), TextWidth(button->fontMetrics(), button->text()) + icon + 6,
                   button->width());
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            report(w, box->title(), TextWidth(box->fontMetrics(), box->title()) + 16, box->width());
        }
    }
    return clipped.join(QLatin1Char('\n')).toStdString();
}

class EnglishLayoutTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        ASSERT_TRUE(FTranslator.load(QStringLiteral(":/translations/typorin_en.qm")));
        QCoreApplication::installTranslator(&FTranslator);
        ASSERT_EQ(QCoreApplication::translate("TfrmMain", "タッチタイプ"),
                  QStringLiteral("Touch typing"));
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(&FTranslator);
        TMainWindowTest::TearDown();
    }

    // Shows `window` offscreen and checks every page of its tab widgets.
    static void ExpectNothingClipped(QWidget* window) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
        if (tabs.isEmpty()) {
            EXPECT_EQ(Clipped(window), "") << window->windowTitle().toStdString();
            return;
        }
        for (QTabWidget* tab : tabs)
            for (int i = 0; i < tab->count(); ++i) {
                tab->setCurrentIndex(i);
                QCoreApplication::processEvents();
                EXPECT_EQ(Clipped(window), "") << window->windowTitle().toStdString() << ", page "
                                               << tab->tabText(i).toStdString();
            }
    }

    QTranslator FTranslator;
};

TEST_F(EnglishLayoutTest, MainWindowInEveryMode) {
    WriteRegister("01_kana.txt", u"FF<0001>あいさつ\r\nおはよう\r\n");
    WriteSettings();
    auto window = Open();
    EXPECT_EQ(Action(window.get(), "Touch1")->text(), QStringLiteral("&Touch typing"));
    for (const char* mode : {"Touch1", "Part1", "All1"}) {
        Action(window.get(), mode)->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(Clipped(window.get()), "") << mode;
    }
}

TEST_F(EnglishLayoutTest, SecondaryWindowsOfTheMainWindow) {
    WriteSettings();
    auto window = Open();
    for (const char* command : {"Editer1", "Graph1", "Analysis1"}) {
        const QWidgetList before = QApplication::topLevelWidgets();
        Action(window.get(), command)->trigger();
        QCoreApplication::processEvents();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (!before.contains(top) && top->isWindow() && top->isVisible()) {
                ExpectNothingClipped(top);
                top->close();
            }
    }
}

TEST_F(EnglishLayoutTest, Dialogs) {
    TStatsStore stats(FFolder.Path() / "TyporinStats.db");
    TfrmSetOption options(nullptr, &stats);
    EXPECT_EQ(options.windowTitle(), QStringLiteral("TYPORIN  Options"));
    EXPECT_EQ(Find<QComboBox>(&options, "ComboBox5")->itemText(0), QStringLiteral("Automatic"))
        << "the window's own texts are translated in its context";
    ExpectNothingClipped(&options);
    TfrmVersion about;
    ExpectNothingClipped(&about);
    TfrmRegiBox files({QStringLiteral("01_kana.txt")});
    ExpectNothingClipped(&files);
    TfrmTitleBox title;
    ExpectNothingClipped(&title);
    TfrmCourse course(UKanaCourse::StageStatuses({}, {}, {}), 0);
    ExpectNothingClipped(&course);
}

} // namespace

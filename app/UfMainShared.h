// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window's files share: the texts of its messages, the data its list items hold,
// and the names of the keys its rules speak of.

#include <QKeyEvent>
#include <QString>
#include <QTreeWidgetItem>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace UfMain {

inline QString CompareErrorText() {
    return QCoreApplication::translate(
        "TfrmMain",
        "文字列の比較中にエラーが起きました。\r\n入力できなくなったときは読み込み直してください。");
}

// Item data of ListView1 and ListView2.
constexpr int FileNameRole = Qt::UserRole;          // ListView1: the file name's bytes
constexpr int EntryDataRole = Qt::UserRole;         // ListView2: the "Idx=" and "LastIdx=" lines
constexpr int CheckedBeforeRole = Qt::UserRole + 1; // ListView2: the check state last seen

inline std::vector<std::string> EntryData(const QTreeWidgetItem* item) {
    std::vector<std::string> data;
    for (const QString& line : item->data(0, EntryDataRole).toStringList())
        data.push_back(line.toStdString());
    return data;
}

// Characters below this are control characters, no entries of a text; so is Delete.
constexpr char16_t FirstPrintable = 0x20;
constexpr char16_t DeleteChar = 0x7f;
constexpr char16_t BackspaceChar = u'\b';
constexpr char16_t TabChar = u'\t';
// A character beyond ASCII reaches the drill as this byte, which no key of a spelling has.
constexpr char NoSpellingKey = static_cast<char>(0x80);

// Enter of the main keyboard or of the keypad.
inline bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

inline bool IsCtrlAlone(const QKeyEvent& event) {
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

inline bool HasCommandModifier(const QKeyEvent& event) {
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

// A key whose character goes into the text: no command (Ctrl, Alt, Meta), no control character.
inline bool IsPrintableKey(const QKeyEvent& event) {
    if (HasCommandModifier(event))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= FirstPrintable && c.unicode() != DeleteChar;
    });
}

// A key that can change the typed text: a character, Enter, Tab, Backspace or Delete, none of
// them with Ctrl, Alt or Meta. Modifiers alone, Escape, function keys, the arrows and menu
// accelerators change nothing.
inline bool TypesOrEdits(const QKeyEvent& event) {
    if (HasCommandModifier(event))
        return false;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    case Qt::Key_Escape:
        return false;
    default:
        return IsPrintableKey(event);
    }
}

// Keys that edit or move the focus; their characters ("\b", "\x7f", "\t") are never keys of
// the drill.
inline bool IsEditingKey(int key) {
    return key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
}

// A character as the drill takes it: ASCII letters in upper case, whatever the shift state; a
// character beyond ASCII as NoSpellingKey.
inline char DrillKey(QChar c) {
    const char16_t code = c.unicode();
    if (code >= 0x80)
        return NoSpellingKey;
    const char key = static_cast<char>(code);
    return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

// An event filter that a function decides.
class TEventHook : public QObject {
public:
    explicit TEventHook(std::function<bool(QObject*, QEvent*)> filter)
        : FFilter(std::move(filter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return FFilter(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> FFilter;
};

} // namespace UfMain

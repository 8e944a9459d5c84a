// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers the dialogs of the code under test and records every message, for the lifetime of
// the object. Questions are answered from queues (Yes, and "cancelled", when a queue is empty).

#include "platform/Dialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

class TDialogRecorder : public Dialogs::TResponder {
public:
    struct TMessage {
        Dialogs::TIcon Icon;
        QString Text;
    };

    TDialogRecorder() { FPrevious = Dialogs::SetResponder(this); }
    ~TDialogRecorder() override { Dialogs::SetResponder(FPrevious); }
    TDialogRecorder(const TDialogRecorder&) = delete;
    TDialogRecorder& operator=(const TDialogRecorder&) = delete;

    std::vector<TMessage> Messages;  // boxes with OK, in order
    std::vector<TMessage> Questions; // Yes/No questions, in order
    std::vector<Dialogs::TFileDialogOptions> FileDialogs;
    std::deque<bool> YesNoAnswers;
    // Answers to the questions with Cancel, which Questions records too.
    std::deque<Dialogs::TAnswer> YesNoCancelAnswers;
    std::deque<QString> FileAnswers;
    std::deque<QString> TextAnswers; // a null QString answers "cancelled"
    std::vector<QString> TextShown;  // what each text question showed to start with

    // The texts of all boxes with OK, for short assertions.
    QStringList MessageTexts() const {
        QStringList texts;
        for (const TMessage& m : Messages)
            texts << m.Text;
        return texts;
    }

    void Message(Dialogs::TIcon icon, const QString& text) override {
        Messages.push_back({icon, text});
    }
    bool YesNo(Dialogs::TIcon icon, const QString& text) override {
        Questions.push_back({icon, text});
        return Pop(YesNoAnswers, true);
    }
    Dialogs::TAnswer YesNoCancel(Dialogs::TIcon icon, const QString& text) override {
        Questions.push_back({icon, text});
        return Pop(YesNoCancelAnswers, Dialogs::TAnswer::Yes);
    }
    QString OpenFileName(const Dialogs::TFileDialogOptions& options) override {
        FileDialogs.push_back(options);
        return Pop(FileAnswers, QString());
    }
    QString SaveFileName(const Dialogs::TFileDialogOptions& options) override {
        FileDialogs.push_back(options);
        return Pop(FileAnswers, QString());
    }
    std::optional<QString> Text(const QString&, const QString&, const QString& initial) override {
        TextShown.push_back(initial);
        QString answer = Pop(TextAnswers, QString());
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

private:
    template <typename T>
    static T Pop(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }

    Dialogs::TResponder* FPrevious = nullptr;
};

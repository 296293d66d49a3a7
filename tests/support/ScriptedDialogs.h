// Test double of the dialog service: records every message and answers from a script.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"

namespace velvora::testing {

struct RecordedMessage {
    enum class Kind { Info, Warning, Confirm, Choice };
    Kind kind;
    QString text;
};

class ScriptedDialogs final : public DialogService {
public:
    // Installs itself as the dialog service for its lifetime.
    ScriptedDialogs() { previous_ = SetDialogService(std::unique_ptr<DialogService>(this)); }
    // The service slot owns this object only while it is installed; hand it back
    // without deleting ourselves twice.
    ~ScriptedDialogs() override { SetDialogService(std::move(previous_)).release(); }

    void ShowInfo(const QString& text) override { messages.push_back({RecordedMessage::Kind::Info, text}); }
    void ShowWarning(const QString& text) override { messages.push_back({RecordedMessage::Kind::Warning, text}); }
    // Answers from the script in order; an unscripted Confirm answers No.
    bool Confirm(const QString& text) override {
        messages.push_back({RecordedMessage::Kind::Confirm, text});
        if (confirmAnswers.empty()) return false;
        const bool yes = confirmAnswers.front();
        confirmAnswers.pop_front();
        return yes;
    }
    // Recorded as a Confirm; answers from its own script, an unscripted one No without a tick.
    bool ConfirmWithOptOut(const QString&, const QString& text, const QString&, bool& optOut) override {
        messages.push_back({RecordedMessage::Kind::Confirm, text});
        const OptOutAnswer answer = optOutAnswers.empty() ? OptOutAnswer{} : optOutAnswers.front();
        if (!optOutAnswers.empty()) optOutAnswers.pop_front();
        optOut = answer.optOut;
        return answer.yes;
    }
    // Answers from its own script in order; an unscripted one is cancelled.
    int Choose(const QString& text, const QStringList&) override {
        messages.push_back({RecordedMessage::Kind::Choice, text});
        if (choiceAnswers.empty()) return -1;
        const int choice = choiceAnswers.front();
        choiceAnswers.pop_front();
        return choice;
    }
    // The file and folder pickers answer `pickedFiles`, `pickedSaveFile` and `pickedFolder`
    // once; the open picker records its filter, the save picker the name it suggests.
    QStringList PickOpenFiles(const OpenFilesRequest& request) override {
        openFilesFilter = request.filter;
        return std::exchange(pickedFiles, {});
    }
    QString PickSaveFile(const QString&, const QString& suggested, const QString&) override {
        suggestedSaveFile = suggested;
        return std::exchange(pickedSaveFile, {});
    }
    // The colour picker records what it starts from and answers `pickedColor` (by default
    // an invalid colour: cancelled) each time.
    QColor PickColor(const QColor& initial) override {
        colorsAsked.push_back(initial);
        return pickedColor;
    }
    QString PickFolder(const QString&, const QString&) override { return std::exchange(pickedFolder, {}); }

    void AnswerConfirm(bool yes) { confirmAnswers.push_back(yes); }
    void AnswerConfirmWithOptOut(bool yes, bool optOut) { optOutAnswers.push_back({yes, optOut}); }
    void AnswerChoice(int choice) { choiceAnswers.push_back(choice); }

    // The texts of the messages of one kind, in the order shown.
    std::vector<QString> Texts(RecordedMessage::Kind kind) const {
        std::vector<QString> texts;
        for (const RecordedMessage& message : messages)
            if (message.kind == kind) texts.push_back(message.text);
        return texts;
    }

    std::vector<RecordedMessage> messages;
    QStringList pickedFiles;
    QColor pickedColor;
    std::vector<QColor> colorsAsked;
    QString pickedFolder;
    QString pickedSaveFile, suggestedSaveFile;
    QString openFilesFilter;

private:
    struct OptOutAnswer {
        bool yes = false;
        bool optOut = false;
    };
    std::deque<bool> confirmAnswers;
    std::deque<OptOutAnswer> optOutAnswers;
    std::deque<int> choiceAnswers;
    std::unique_ptr<DialogService> previous_;
};

}  // namespace velvora::testing

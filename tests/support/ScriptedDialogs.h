// Test double of the dialog service: records every message and answers from a script.
#pragma once

#include <deque>
#include <vector>

#include "platform/Dialogs.h"

namespace velvora::testing {

struct RecordedMessage {
    enum class Kind { Info, Warning, Confirm };
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
    // The pickers always cancel.
    QStringList PickOpenFiles(const OpenFilesRequest&) override { return {}; }
    QColor PickColor(const QColor&) override { return {}; }
    QString PickFolder(const QString&, const QString&) override { return {}; }

    void AnswerConfirm(bool yes) { confirmAnswers.push_back(yes); }

    std::vector<RecordedMessage> messages;

private:
    std::deque<bool> confirmAnswers;
    std::unique_ptr<DialogService> previous_;
};

}  // namespace velvora::testing

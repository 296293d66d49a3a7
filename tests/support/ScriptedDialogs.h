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
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void ShowInfo(const QString& text) override;
    void ShowWarning(const QString& text) override;
    bool Confirm(const QString& text) override;
    QStringList PickOpenFiles(const OpenFilesRequest& request) override;
    QColor PickColor(const QColor& initial) override;
    QString PickFolder(const QString& title, const QString& startFolder) override;

    // Answers for the next calls, in order; an unscripted Confirm answers No and an
    // unscripted picker cancels.
    void AnswerConfirm(bool yes) { confirmAnswers.push_back(yes); }
    void AnswerOpenFiles(QStringList files) { openFilesAnswers.push_back(std::move(files)); }
    void AnswerColor(QColor color) { colorAnswers.push_back(color); }
    void AnswerFolder(QString folder) { folderAnswers.push_back(std::move(folder)); }

    std::vector<RecordedMessage> messages;
    std::vector<OpenFilesRequest> openFilesRequests;

private:
    std::deque<bool> confirmAnswers;
    std::deque<QStringList> openFilesAnswers;
    std::deque<QColor> colorAnswers;
    std::deque<QString> folderAnswers;
    std::unique_ptr<DialogService> previous_;
};

}  // namespace velvora::testing

#include "support/ScriptedDialogs.h"

namespace velvora::testing {

template <typename T>
static T TakeFront(std::deque<T>& answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

ScriptedDialogs::ScriptedDialogs() { previous_ = SetDialogService(std::unique_ptr<DialogService>(this)); }

ScriptedDialogs::~ScriptedDialogs() {
    // The service slot owns this object only while it is installed; hand it back
    // without deleting ourselves twice.
    SetDialogService(std::move(previous_)).release();
}

void ScriptedDialogs::ShowInfo(const QString& text) { messages.push_back({RecordedMessage::Kind::Info, text}); }

void ScriptedDialogs::ShowWarning(const QString& text) { messages.push_back({RecordedMessage::Kind::Warning, text}); }

bool ScriptedDialogs::Confirm(const QString& text) {
    messages.push_back({RecordedMessage::Kind::Confirm, text});
    return TakeFront(confirmAnswers, false);
}

QStringList ScriptedDialogs::PickOpenFiles(const OpenFilesRequest& request) {
    openFilesRequests.push_back(request);
    return TakeFront(openFilesAnswers, QStringList());
}

QColor ScriptedDialogs::PickColor(const QColor&) { return TakeFront(colorAnswers, QColor()); }

QString ScriptedDialogs::PickFolder(const QString&, const QString&) { return TakeFront(folderAnswers, QString()); }

}  // namespace velvora::testing

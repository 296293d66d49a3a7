// The mail layer and its sending thread.
#include "publish/MailSender.h"

#include <mutex>
#include <utility>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QProcess>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

Q_LOGGING_CATEGORY(lcPublish, "velvora.publish")

namespace {

std::mutex senderMutex;

std::shared_ptr<MailSender>& CurrentSender() {
    static std::shared_ptr<MailSender> sender = std::make_shared<XdgEmailSender>();
    return sender;
}

std::shared_ptr<MailSender> SenderInUse() {
    const std::lock_guard lock(senderMutex);
    return CurrentSender();
}

// The thread has no window of its own, so the user hears of a failure from the GUI thread.
void ReportFailure(const std::string& attachment) {
    const QString text = QStringLiteral(
                             "Velvora could not open your e-mail program to send your slide show.\r\n\r\n"
                             "You can attach the published file yourself:\r\n") +
                         FromStored(attachment);
    QMetaObject::invokeMethod(
        qApp, [text] { Dialogs().ShowWarning(text); }, Qt::QueuedConnection);
}

}  // namespace

QStringList XdgEmailArguments(const MailMessage& message) {
    QStringList arguments{QStringLiteral("--subject"), FromStored(message.Subject)};
    if (!message.Body.empty()) arguments << QStringLiteral("--body") << FromStored(message.Body);
    if (!message.Attachment.empty()) arguments << QStringLiteral("--attach") << FromStored(message.Attachment);
    return arguments;
}

bool XdgEmailSender::Send(const MailMessage& message) {
    QProcess process;
    process.start(QStringLiteral("xdg-email"), XdgEmailArguments(message));
    // Mail programs may stay in the foreground until the compose window closes.
    if (!process.waitForStarted() || !process.waitForFinished(-1)) {
        qCWarning(lcPublish) << "xdg-email did not run:" << process.errorString();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qCWarning(lcPublish) << "xdg-email failed with exit code" << process.exitCode();
        return false;
    }
    return true;
}

std::shared_ptr<MailSender> SetMailSender(std::shared_ptr<MailSender> sender) {
    const std::lock_guard lock(senderMutex);
    return std::exchange(CurrentSender(), std::move(sender));
}

TSendMAPIThread::TSendMAPIThread(MailMessage message, std::shared_ptr<MailSender> sender)
    : message_(std::move(message)), sender_(std::move(sender)) {}

void TSendMAPIThread::Start(MailMessage message) {
    // The fields are complete before start(), which publishes them to the new thread.
    auto* thread = new TSendMAPIThread(std::move(message), SenderInUse());
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void TSendMAPIThread::run() {
    if (!sender_->Send(message_)) ReportFailure(message_.Attachment);
}

void SendFileByMail(const std::string& subject, const std::string& body, const std::string& attachment) {
    TSendMAPIThread::Start({subject, body, attachment});
}

}  // namespace velvora

// Handing a published file to the user's mail program: a compose window with the file
// attached, opened from a sending thread of its own so that the tool never waits for it.
#pragma once

#include <memory>
#include <string>

#include <QStringList>
#include <QThread>

namespace velvora {

struct MailMessage {
    std::string Subject;
    std::string Body;
    std::string Attachment;  // full path of the one file to attach; empty for none

    bool operator==(const MailMessage&) const = default;
};

// Opens the compose window. Called on a sending thread, several of which may run at
// once, so an implementation must be safe to call from any thread.
class MailSender {
public:
    virtual ~MailSender() = default;
    // Returns once the mail program has taken the message; false when it could not be
    // handed over at all.
    virtual bool Send(const MailMessage& message) = 0;
};

// Runs "xdg-email --subject S [--body B] [--attach FILE]" and waits for it.
class XdgEmailSender final : public MailSender {
public:
    bool Send(const MailMessage& message) override;
};

QStringList XdgEmailArguments(const MailMessage& message);

// The sender in use (xdg-email unless replaced); installing returns the previous one.
std::shared_ptr<MailSender> SetMailSender(std::shared_ptr<MailSender> sender);

// The sending thread: holds its own copy of the message and the sender, runs once and
// deletes itself when it has finished. A failure is reported to the user through the
// dialog service, queued to the user-interface thread.
class TSendMAPIThread final : public QThread {
    Q_OBJECT

public:
    // Starts running at once.
    static void Start(MailMessage message);

protected:
    void run() override;

private:
    TSendMAPIThread(MailMessage message, std::shared_ptr<MailSender> sender);

    const MailMessage message_;
    const std::shared_ptr<MailSender> sender_;
};

// Starts a sending thread for the message and returns at once.
void SendFileByMail(const std::string& subject, const std::string& body, const std::string& attachment);

}  // namespace velvora

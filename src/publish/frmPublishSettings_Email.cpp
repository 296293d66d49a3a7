// E-mail publishing.
#include "publish/frmPublishSettings_Email.h"

#include <filesystem>
#include <system_error>

#include "platform/Dialogs.h"
#include "publish/MailSender.h"
#include "publish/PublishedReport.h"

namespace velvora {

static PublishChannel EmailChannel() {
    return {QStringLiteral("Publish for Email"),
            QStringLiteral("Publish for Email Output Directory"),
            EmailSettingsFileName,
            AutoPlayLine::Unused,
            "Publishing slide show for email...",
            QStringLiteral("The Email Publishing Settings have been saved.")};
}

TPublishSettings_Email::TPublishSettings_Email(const CategoryTree& tree, QWidget* parent)
    : TPublishSettingsDialog(tree, EmailChannel(), parent) {}

// Mail is where a published program most often fails to arrive, so the report says why
// it might and what else there is.
static QString MailWarnings(const std::string& path) {
    QString warnings;
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (!error && bytes > MailAttachmentLimitBytes)
        warnings += QStringLiteral("\r\n\r\nAt %1 it is larger than most mail services accept (about 20 MB).")
                        .arg(FileSizeText(bytes));
    warnings += QStringLiteral(
        "\r\n\r\nMany mail services also refuse attached programs (.exe files). To send the show to "
        "anyone, publish it as a video, which plays on every phone and computer.");
    return warnings;
}

void TPublishSettings_Email::Published(const PublishTarget& target) {
    const QString text = PublishedFileText(target.Path()) + MailWarnings(target.Path()) +
                         QStringLiteral("\r\n\r\nWould you like to e-mail it to someone right now?");
    if (OfferAfterPublishing(text, QStringLiteral("E-mail It..."), target.Folder))
        SendFileByMail("My Slide Show", "", target.Path());
}

void ShowPublishEmailDialog(const CategoryTree& tree, QWidget* parent) {
    TPublishSettings_Email dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora

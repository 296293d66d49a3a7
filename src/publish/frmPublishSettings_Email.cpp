// E-mail publishing.
#include "publish/frmPublishSettings_Email.h"

#include "platform/Dialogs.h"
#include "publish/MailSender.h"

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

void TPublishSettings_Email::Published(const PublishTarget& target) {
    if (Dialogs().Confirm(QStringLiteral(
            "Your slide show has been published.\r\n\r\nWould you like to e-mail it to someone right now?")))
        SendFileByMail("My Slide Show", "", target.Path());
}

void ShowPublishEmailDialog(const CategoryTree& tree, QWidget* parent) {
    TPublishSettings_Email dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora

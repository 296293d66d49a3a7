// CD publishing.
#include "publish/frmPublishSettings_CD.h"

#include "base/FileIo.h"
#include "base/ShellRequests.h"
#include "platform/Dialogs.h"
#include "publish/PublishedReport.h"

namespace velvora {

static PublishChannel CDChannel() {
    return {QStringLiteral("Publish for CD"),
            QStringLiteral("Publish for CD Output Directory"),
            CDSettingsFileName,
            AutoPlayLine::Used,
            "Publishing slide show for CD...",
            QStringLiteral("The CD Publishing Settings have been saved.")};
}

static bool HasInnerBlank(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const auto last = text.find_last_not_of(' ');
    return text.find(' ', first) < last;
}

TPublishSettings_CD::TPublishSettings_CD(const CategoryTree& tree, QWidget* parent)
    : TPublishSettingsDialog(tree, CDChannel(), parent) {}

bool TPublishSettings_CD::MayPublish() {
    if (!Settings().AutoPlay || !HasInnerBlank(Settings().Filename)) return true;
    return Dialogs().Confirm(QStringLiteral(
        "Some versions of the Windows operating system have problems using \r\nauto-run CDs when the application (EXE "
        "file) has spaces in the \r\nfilename. You have spaces in your photo slide show's filename which \r\nmay cause "
        "problems with the auto-run feature.\r\n\r\nWould you like to continue publishing your slide show anyway?"));
}

void TPublishSettings_CD::Published(const PublishTarget& target) {
    const bool autoPlay = Settings().AutoPlay;
    if (autoPlay) WriteFileAtomic(target.Folder + AutorunFileName, AutorunText(target.FileName, Tree().Root()->Text));
    const QString text =
        PublishedFileText(target.Path()) + QStringLiteral("\r\n\r\nWould you like to help burning it to CD?");
    if (!OfferAfterPublishing(text, QStringLiteral("Burn to CD..."), target.Folder)) return;
    StringList files;
    if (autoPlay) files.push_back(target.Folder + AutorunFileName);
    files.push_back(target.Path());
    OfferForBurning(files);
}

void ShowPublishCDDialog(const CategoryTree& tree, QWidget* parent) {
    TPublishSettings_CD dialog(tree, parent);
    dialog.exec();
}

}  // namespace velvora

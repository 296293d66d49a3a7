// The "Publish for Email" dialog: the same published file as for a CD, then the offer to
// open the mail program's compose window with it attached.
#pragma once

#include "publish/frmPublishSettings.h"

namespace velvora {

class TPublishSettings_Email final : public TPublishSettingsDialog {
    Q_OBJECT

public:
    TPublishSettings_Email(const CategoryTree& tree, QWidget* parent);

protected:
    void Published(const PublishTarget& target) override;
};

// Shows the dialog modally for the open show; returns when it has closed.
void ShowPublishEmailDialog(const CategoryTree& tree, QWidget* parent);

}  // namespace velvora

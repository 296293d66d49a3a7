// The "Publish for CD" dialog: the published file with an optional "autorun.inf" beside
// it, then the offer to help burning both to a CD.
#pragma once

#include "publish/frmPublishSettings.h"

namespace velvora {

class TPublishSettings_CD final : public TPublishSettingsDialog {
    Q_OBJECT

public:
    TPublishSettings_CD(const CategoryTree& tree, QWidget* parent);

protected:
    // Warns about a blank inside the file name of an auto-play CD.
    bool MayPublish() override;
    // Writes "autorun.inf" when asked for, then offers the burn assistant.
    void Published(const PublishTarget& target) override;
};

// Shows the dialog modally for the open show; returns when it has closed.
void ShowPublishCDDialog(const CategoryTree& tree, QWidget* parent);

}  // namespace velvora

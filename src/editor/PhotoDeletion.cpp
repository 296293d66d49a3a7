// The deletion question.
#include "editor/PhotoDeletion.h"

#include "platform/Dialogs.h"

namespace velvora {

bool ConfirmDeletePhotos(bool& askBeforeDeleting) {
    if (!askBeforeDeleting) return true;
    bool doNotAskAgain = false;
    const bool yes = Dialogs().ConfirmWithOptOut(QStringLiteral("Are You Sure?"),
                                                 QStringLiteral("Are you sure you want to delete the selected photos?"),
                                                 QStringLiteral("Do not ask again"), doNotAskAgain);
    askBeforeDeleting = !doNotAskAgain;
    return yes;
}

}  // namespace velvora

// The question asked before photos are deleted, with its "Do not ask again" box.
#pragma once

namespace velvora {

// True when the deletion may proceed. With `askBeforeDeleting` off it asks nothing and
// returns true; otherwise it asks through the dialog service, and whatever the answer,
// a ticked "Do not ask again" turns `askBeforeDeleting` off.
bool ConfirmDeletePhotos(bool& askBeforeDeleting);

}  // namespace velvora

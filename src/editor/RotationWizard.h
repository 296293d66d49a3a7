// The Rotate Wizard without its window: which photos it visits, the rotation chosen for each,
// stepping back and forth, the previews it shows and writing the changed rotations back.
#pragma once

#include <string>
#include <vector>

#include "base/Global.h"
#include "editor/PhotoList.h"
#include "imaging/Bitmap.h"

namespace velvora {

// Rotations are quarter turns clockwise, as the "Rotate" line of a photo's ".dat" stores them.
inline constexpr int RotationCount = 4;

// The list positions the wizard visits, in list order: the selected photos, or, when only one
// is selected, that photo and every photo after it. Empty when nothing is selected.
std::vector<int> PhotosToRotate(const PhotoList& photos);

// The photo's stored rotation, 0..3; 0 when its ".dat" is missing or unreadable, or holds no
// rotation or one outside 0..3.
int StoredRotation(const std::string& categoryFolder, const PhotoEntry& entry);

// Writes `rotation` (0..3) as the photo's "Rotate" line; every other line of its ".dat" stays as
// it is. A missing ".dat" is written as the properties panel would write it. Does nothing for an
// id that could leave the folder. Throws std::runtime_error when the existing file cannot be
// read, leaving it untouched, or when the new one cannot be written.
void SaveStoredRotation(const std::string& categoryFolder, const PhotoEntry& entry, int rotation);

// The photo fitted into side × side, unturned: its stored copy decoded small, else its
// thumbnail enlarged. Empty when neither can be read; never throws.
Bitmap LoadRotationPreview(const std::string& categoryFolder, const PhotoEntry& entry, int side);

// The name a photo goes by: its own, or its source file name while it has none.
std::string PhotoDisplayName(const PhotoEntry& entry);

struct RotationStep {
    PhotoEntry Entry;
    int Stored = 0;
    int Chosen = 0;
};

class RotationWizard {
public:
    // Reads the stored rotation of every photo PhotosToRotate picks; each starts chosen as stored.
    RotationWizard(const PhotoList& photos, std::string categoryFolder);

    const std::string& CategoryFolder() const { return categoryFolder_; }
    int StepCount() const { return static_cast<int>(steps_.size()); }
    // 0-based; only meaningful while StepCount() > 0.
    int Position() const { return position_; }
    const RotationStep& Current() const { return steps_[std::size_t(position_)]; }
    const std::vector<RotationStep>& Steps() const { return steps_; }

    bool CanGoBack() const { return position_ > 0; }
    bool CanGoNext() const { return position_ + 1 < StepCount(); }
    void Back();
    void Next();
    // Takes `rotation` (0..3) for the current photo and moves on, staying on the last one.
    void Choose(int rotation);

    // Writes the rotation of every photo whose choice differs from the stored one and returns
    // the display names of those that could not be written; the others are written all the same.
    StringList SaveChanges() const;

private:
    std::string categoryFolder_;
    std::vector<RotationStep> steps_;
    int position_ = 0;
};

}  // namespace velvora

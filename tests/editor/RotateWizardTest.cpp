#include "editor/RotationWizard.h"

#include <filesystem>

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "editor/frmRotateWizard.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

class RotateWizardTest : public testing::ProgramFolderTest {
protected:
    // Adds photo `id` as "<id>.jpg"; the first photo added is the one selected.
    void AddPhoto(const std::string& id) {
        const int index = photos.Add(PhotoEntry{id, id + ".jpg", "", "Photo " + id, "640", "480"}.Text());
        if (index == 0) photos.Select(0);
    }
    std::string Dat(const std::string& id) const { return Home() + id + ".dat"; }

    PhotoList photos;
};

TEST_F(RotateWizardTest, PlanVisitsFromTheSelectionAndWritesOnlyChangedRotationsKeepingOtherLines) {
    for (const char* id : {"00000001", "00000002", "00000003", "00000004"}) AddPhoto(id);
    testing::WriteFile(Dat("00000001"), "Name=A\nrotate=1\n");
    testing::WriteFile(Dat("00000002"), "Name=B\r\nRotate=2\r\nTransition=12\r\nX=y\r\nROTATE=3\r\n");
    testing::WriteFile(Dat("00000004"), "Rotate=7\r\n");
    EXPECT_EQ(PhotosToRotate(photos), (std::vector<int>{0, 1, 2, 3}));
    photos.Select(2);
    EXPECT_EQ(PhotosToRotate(photos), (std::vector<int>{0, 2}));
    photos.Select(2, false);

    RotationWizard wizard(photos, Home());
    std::vector<int> stored;
    for (const RotationStep& step : wizard.Steps()) stored.push_back(step.Stored);
    EXPECT_EQ(stored, (std::vector<int>{1, 2, 0, 0}));
    wizard.Back();  // stays on the first
    wizard.Choose(1);
    wizard.Choose(0);
    wizard.Choose(2);
    wizard.Choose(3);
    wizard.Choose(0);  // the last photo: stays, takes the choice
    EXPECT_EQ(wizard.Position(), 3);
    EXPECT_TRUE(wizard.SaveChanges().empty());

    EXPECT_EQ(testing::ReadFile(Dat("00000001")), "Name=A\nrotate=1\n");  // unchanged, not rewritten
    EXPECT_EQ(testing::ReadFile(Dat("00000002")), "Name=B\r\nTransition=12\r\nX=y\r\n");
    EXPECT_EQ(testing::ReadFile(Dat("00000003")),
              "Name=Photo 00000003\r\nCaption=\r\nWidth=640\r\nHeight=480\r\nRotate=2\r\n");
    EXPECT_EQ(testing::ReadFile(Dat("00000004")), "Rotate=7\r\n");
}

TEST_F(RotateWizardTest, KeysPickForEachPhotoInTurnAndFinishWritesThem) {
    for (const char* id : {"00000001", "00000002", "00000003"}) AddPhoto(id);
    testing::WriteFile(Home() + "00000001.pho", testing::EncodeJpeg(8, 4, 3, [](int, int, std::uint8_t* out) {
                           out[0] = out[1] = out[2] = 200;
                       }));
    // The second photo's copy is damaged, but its thumbnail stands in; the third has no files.
    testing::WriteFile(Home() + "00000002.pho", "not a JPEG");
    Bitmap(4, 2, PixelFormat::Bits24).SaveToFile(Home() + "00000002.thu");
    RotationWizard wizard(photos, Home());
    TRotateWizard dialog(wizard);
    dialog.show();
    // Previews are centred in a 180 × 180 square; an upright one covers its top middle only.
    const auto preview = [&](int rotation) -> QString {
        const QIcon icon = dialog.findChild<QToolButton*>(QStringLiteral("imgPreview%1").arg(rotation))->icon();
        if (icon.isNull()) return QString();
        const QImage image = icon.pixmap(180).toImage();
        return image.pixelColor(90, 10).alpha() > 0 && image.pixelColor(10, 90).alpha() == 0 ? QStringLiteral("upright")
                                                                                             : QStringLiteral("lying");
    };
    EXPECT_EQ(preview(0), "lying");
    EXPECT_EQ(preview(1), "upright");
    QTest::keyClick(&dialog, Qt::Key_2);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblStep"))->text(), QStringLiteral("Photo 2 of 3"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblPhotoName"))->text(), QStringLiteral("Photo 00000002"));
    EXPECT_EQ(preview(3), "upright");
    QTest::keyClick(&dialog, Qt::Key_4);
    EXPECT_EQ(preview(0), QString());
    QTest::keyClick(&dialog, Qt::Key_3);  // nothing to pick from
    dialog.findChild<QPushButton*>(QStringLiteral("btnFinish"))->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(StoredRotation(Home(), PhotoEntry::FromText(photos.Item(0))), 1);
    EXPECT_EQ(StoredRotation(Home(), PhotoEntry::FromText(photos.Item(1))), 3);
    EXPECT_FALSE(std::filesystem::exists(Dat("00000003")));
}

}  // namespace
}  // namespace velvora

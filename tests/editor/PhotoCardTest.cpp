#include "editor/PhotoCard.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPalette>

#include "editor/PhotoDeletion.h"
#include "editor/PhotoList.h"
#include "imaging/BmpFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

TEST(ConfirmDeletePhotos, DoNotAskAgainWithNoRefusesNowAndAllowsLaterWithoutAsking) {
    testing::ScriptedDialogs dialogs;
    dialogs.AnswerConfirmWithOptOut(false, true);
    bool askBeforeDeleting = true;
    EXPECT_FALSE(ConfirmDeletePhotos(askBeforeDeleting));
    EXPECT_FALSE(askBeforeDeleting);
    EXPECT_TRUE(ConfirmDeletePhotos(askBeforeDeleting));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Are you sure you want to delete the selected photos?");
}

class PhotoCardTest : public ::testing::Test {
protected:
    PhotoCardTest() {
        for (auto [role, colour] : {std::pair{QPalette::Base, Qt::white}, {QPalette::Highlight, Qt::darkBlue},
                                    {QPalette::Button, Qt::lightGray}, {QPalette::Dark, Qt::darkGray},
                                    {QPalette::Text, Qt::black}, {QPalette::HighlightedText, Qt::white}})
            colours.setColor(role, colour);
    }
    // A card of `width` × 86 drawn on white.
    QImage Draw(const std::string& id, bool selected, int width = 400, const std::string& caption = "Sea") {
        QImage image(width, PhotoCardHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawPhotoCard(painter, image.rect(), PhotoEntry{id, "sea.jpg", caption, "Beach", "640", "480"}.Text(),
                      folder.Path(), colours, selected);
        return image;
    }
    void WriteThumbnail(const std::string& id, int width, int height) {
        Bitmap thumbnail(width, height, PixelFormat::Bits24);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) thumbnail.Row(y)[3 * x + 2] = 0xFF;  // red
        testing::WriteFile(folder.Path() + id + ".thu", EncodeBmp(thumbnail));
    }

    testing::TempFolder folder;
    QPalette colours;
};

TEST_F(PhotoCardTest, ThumbnailIsCentredWithTruncationInsideARoundedBorder) {
    WriteThumbnail("0000000B", 61, 41);  // x = 6 + 19 / 2 = 15, y = 3 + 39 / 2 = 22
    const QImage card = Draw("0000000B", false);
    for (QPoint inside : {QPoint(15, 22), QPoint(75, 62)}) EXPECT_EQ(card.pixelColor(inside), Qt::red) << inside.x();
    for (QPoint border : {QPoint(15, 21), QPoint(14, 22), QPoint(76, 62), QPoint(75, 63), QPoint(6, 40), QPoint(8, 3)})
        EXPECT_EQ(card.pixelColor(border), Qt::darkGray) << border.x() << "," << border.y();
    for (QPoint corner : {QPoint(14, 21), QPoint(76, 21), QPoint(14, 63), QPoint(76, 63), QPoint(46, 5)})
        EXPECT_EQ(card.pixelColor(corner), Qt::lightGray) << corner.x() << "," << corner.y();
    EXPECT_EQ(card.pixelColor(6, 3), Qt::white);  // the frame's cut corner
}

TEST_F(PhotoCardTest, MissingThumbnailLeavesTheFrameEmptyAndSelectionChangesTheBackground) {
    const QImage plain = Draw("0000000C", false);
    EXPECT_EQ(plain.pixelColor(46, 43), Qt::lightGray);
    EXPECT_EQ(plain.pixelColor(3, 43), Qt::white);
    EXPECT_EQ(Draw("0000000C", true).pixelColor(3, 43), Qt::darkBlue);
}

TEST_F(PhotoCardTest, LongCaptionIsClippedAtTheItemsRightEdge) {
    QImage image(300, PhotoCardHeight, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        DrawPhotoCard(painter, QRect(0, 0, 200, PhotoCardHeight),
                      PhotoEntry{"0000000D", "a.jpg", std::string(200, 'W'), "", "", ""}.Text(), folder.Path(),
                      colours, false);
    }
    bool captionReachesTheEdge = false;
    for (int x = 190; x < 200; ++x) captionReachesTheEdge |= image.pixelColor(x, 28) != Qt::white;
    EXPECT_TRUE(captionReachesTheEdge);
    for (int y = 0; y < PhotoCardHeight; ++y)
        for (int x = 200; x < 300; ++x) ASSERT_EQ(image.pixelColor(x, y), Qt::green) << x << "," << y;
}

}  // namespace
}  // namespace velvora

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

// Draws the card of photo `id` as a `cardWidth` × 86 item at the left of a 300-wide green image.
QImage DrawCard(const std::string& folder, const std::string& id, bool selected, int cardWidth = 300) {
    QPalette colours;
    for (auto [role, colour] : {std::pair{QPalette::Base, Qt::white},
                                {QPalette::Highlight, Qt::darkBlue},
                                {QPalette::Button, Qt::lightGray},
                                {QPalette::Dark, Qt::darkGray},
                                {QPalette::Text, Qt::black}})
        colours.setColor(role, colour);
    QImage image(300, PhotoCardHeight, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    DrawPhotoCard(painter, QRect(0, 0, cardWidth, PhotoCardHeight),
                  PhotoEntry{id, "sea.jpg", std::string(200, 'W'), "Beach", "640", "480"}.Text(), 0, folder, colours,
                  selected);
    return image;
}

TEST(PhotoCard, ThumbnailIsCentredInARoundedBorderAndLongTextIsClippedAtTheCardsRightEdge) {
    const testing::TempFolder folder;
    Bitmap thumbnail(61, 41, PixelFormat::Bits24);  // at x = 6 + 19 / 2 = 15, y = 3 + 39 / 2 = 22
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 61; ++x) thumbnail.Row(y)[3 * x + 2] = 0xFF;
    testing::WriteFile(folder.Path() + "0000000B.thu", EncodeBmp(thumbnail));
    const QImage card = DrawCard(folder.Path(), "0000000B", false);
    for (QPoint inside : {QPoint(15, 22), QPoint(75, 62)}) EXPECT_EQ(card.pixelColor(inside), Qt::red) << inside.x();
    for (QPoint border : {QPoint(15, 21), QPoint(14, 22), QPoint(76, 62), QPoint(75, 63), QPoint(6, 40), QPoint(7, 4)})
        EXPECT_EQ(card.pixelColor(border), Qt::darkGray) << border.x() << "," << border.y();
    for (QPoint corner : {QPoint(14, 21), QPoint(76, 21), QPoint(14, 63), QPoint(76, 63), QPoint(46, 5)})
        EXPECT_EQ(card.pixelColor(corner), Qt::lightGray) << corner.x() << "," << corner.y();
    EXPECT_EQ(card.pixelColor(6, 3), Qt::white);  // outside the frame's cut corner

    // Without a thumbnail the frame stays empty.
    const QImage narrow = DrawCard(folder.Path(), "0000000C", false, 200);
    EXPECT_EQ(narrow.pixelColor(46, 43), Qt::lightGray);
    EXPECT_EQ(narrow.pixelColor(3, 43), Qt::white);
    EXPECT_EQ(DrawCard(folder.Path(), "0000000C", true).pixelColor(3, 43), Qt::darkBlue);
    bool captionReachesTheEdge = false;
    for (int x = 190; x < 200; ++x) captionReachesTheEdge |= narrow.pixelColor(x, 28) != Qt::white;
    EXPECT_TRUE(captionReachesTheEdge);
    for (int y = 0; y < PhotoCardHeight; ++y)
        for (int x = 200; x < 300; ++x) ASSERT_EQ(narrow.pixelColor(x, y), Qt::green) << x << "," << y;
}

}  // namespace
}  // namespace velvora

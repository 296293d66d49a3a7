#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "support/ScriptedDialogs.h"

namespace velvora {
namespace {

TEST(TextCodec, DecodesUtf8AndFallsBackToWindows1252) {
    EXPECT_EQ(FromStored("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(FromStored("caf\xE9 \x80 \x96"), QString::fromUtf8("café € –"));
    EXPECT_EQ(FromStored("Title\xFFName"), QString::fromUtf8("TitleÿName"));
    EXPECT_EQ(ToStored(QString::fromUtf8("café €")), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(TextCodec, RejectsMalformedUtf8) {
    const char* invalid[] = {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\xE2\x82"};
    for (const char* bytes : invalid) EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\xB7 plain"));
}

TEST(ScriptedDialogs, RecordsTextsAnswersInOrderAndRestoresPrevious) {
    DialogService* before = &Dialogs();
    {
        testing::ScriptedDialogs dialogs;
        EXPECT_EQ(&Dialogs(), &dialogs);
        dialogs.AnswerConfirm(true);
        EXPECT_TRUE(Dialogs().Confirm("Delete?"));
        EXPECT_FALSE(Dialogs().Confirm("Again?"));
        Dialogs().ShowWarning("Careful");
        ASSERT_EQ(dialogs.messages.size(), 3u);
        EXPECT_EQ(dialogs.messages[2].kind, testing::RecordedMessage::Kind::Warning);
        EXPECT_EQ(dialogs.messages[2].text, "Careful");
        EXPECT_TRUE(Dialogs().PickOpenFiles({"Add Photos", "*.jpg", ""}).isEmpty());
    }
    EXPECT_EQ(&Dialogs(), before);
}

TEST(DisplayText, ShowsStoredLineBreaksAsBreaks) {
    EXPECT_EQ(DisplayText("one\r\ntwo"), "one\ntwo");
}

}  // namespace
}  // namespace velvora

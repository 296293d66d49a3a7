#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include "platform/Dialogs.h"

namespace velvora {
namespace {

TEST(TextCodec, DecodesUtf8AndFallsBackToWindows1252) {
    EXPECT_EQ(FromStored("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(FromStored("caf\xE9 \x80 \x96"), QString::fromUtf8("café € –"));
    EXPECT_EQ(FromStored("Title\xFFName"), QString::fromUtf8("TitleÿName"));
    EXPECT_EQ(ToStored(QString::fromUtf8("café €")), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(DisplayText("one\r\ntwo"), "one\ntwo");  // stored line breaks are shown as breaks
}

TEST(TextCodec, RejectsMalformedUtf8) {
    const char* invalid[] = {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\xE2\x82"};
    for (const char* bytes : invalid) EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\xB7 plain"));
}

}  // namespace
}  // namespace velvora

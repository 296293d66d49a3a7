#include <chrono>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "app/Global.h"
#include "app/Splash.h"
#include "app/VelvoraApplication.h"
#include "app/frmMain.h"
#include "app/Progress.h"
#include "library/NewShow.h"
#include "library/ShowIndex.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

class StartupTest : public testing::ProgramFolderTest {};

TEST_F(StartupTest, MainWindowCreatesTheLibraryFolderOrLoadsItsIndex) {
    {
        TMain main;
        EXPECT_TRUE(std::filesystem::is_directory(Home() + "Slide Shows"));
        EXPECT_TRUE(ShowList.empty());
    }
    testing::WriteFile(Home() + "Slide Shows/shows.dat", "/x/\r\n/y/\r\n");
    TMain main;
    EXPECT_EQ(ShowsPath, Home() + "Slide Shows/");
    EXPECT_EQ(ShowList, (StringList{"/x/", "/y/"}));
}

TEST(Splash, HoldsForTheRemainingTimeOnly) {
    using namespace std::chrono;
    TStartupSplash splash;
    const auto start = steady_clock::now();
    splash.ShowAndHold(milliseconds(300));
    const auto held = duration_cast<milliseconds>(steady_clock::now() - start);
    EXPECT_GE(held.count(), 250);
    EXPECT_TRUE(splash.isVisible());
}

TEST(DefaultErrorHandler, ShowsMessageOfEscapingErrorAndCarriesOn) {
    testing::ScriptedDialogs dialogs;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("Cannot open file \"x\"."); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].kind, testing::RecordedMessage::Kind::Warning);
    EXPECT_EQ(dialogs.messages[0].text, "Cannot open file \"x\".");
}

}  // namespace
}  // namespace velvora

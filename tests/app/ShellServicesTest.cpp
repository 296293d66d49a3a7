// The services around the windows: the error handler of last resort and the preview
// clean-up server.
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QPushButton>
#include <QTest>
#include <QUuid>

#include "app/PreviewCleanup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;

TEST(DefaultErrorHandler, ShowsMessageOfEscapingErrorAndCarriesOn) {
    testing::ScriptedDialogs dialogs;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("Cannot open file \"x\"."); });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(dialogs.Texts(testing::RecordedMessage::Kind::Warning),
              std::vector<QString>(2, "Cannot open file \"x\"."));
}

class PreviewCleanupTest : public ::testing::Test {
protected:
    // A fresh name per test, so that a test never meets another test's server.
    const QString name = QStringLiteral("velvora-test-") + QUuid::createUuid().toString(QUuid::Id128);
    testing::TempFolder folder;
    const std::string preview = folder.Path() + "preview.exe";

    void Send(const QByteArray& bytes) {
        QLocalSocket client;
        client.connectToServer(name);
        ASSERT_TRUE(client.waitForConnected(1000));
        // In two pieces: the server must not expect the message in one read.
        client.write(bytes.left(2));
        client.flush();
        QTest::qWait(20);
        client.write(bytes.mid(2));
        client.flush();
        client.waitForBytesWritten(1000);
        QTest::qWait(50);
    }
};

TEST_F(PreviewCleanupTest, MessageToTheFirstServerRemovesThePreviewAndOtherBytesDoNothing) {
    PreviewCleanupServer server(name, preview);
    ASSERT_TRUE(server.IsListening());
    PreviewCleanupServer second(name, preview);
    EXPECT_FALSE(second.IsListening()) << "a second copy of the program must not take the name";
    testing::WriteFile(preview, "MZ");
    Send("hello");
    EXPECT_TRUE(fs::exists(preview));
    Send("2061");
    EXPECT_FALSE(fs::exists(preview));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !server.CleanupRunning(); }, 1000));
    Send("2061");  // nothing left to remove: harmless
    EXPECT_FALSE(server.CleanupRunning());
}

TEST_F(PreviewCleanupTest, GivesUpAfterElevenTriesOnAFileThatWillNotGo) {
    PreviewCleanupServer server(name, preview);
    // A folder with content cannot be removed as a file, just as a running program cannot.
    testing::WriteFile(preview + "/inside", "x");
    server.StartCleanup();
    EXPECT_TRUE(server.CleanupRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !server.CleanupRunning(); }, 5000));
    EXPECT_TRUE(fs::exists(preview + "/inside"));
}

}  // namespace
}  // namespace velvora

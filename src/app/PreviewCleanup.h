// Removes the preview copy of the viewer once the previewing process says it has ended.
// That process connects to a local socket named after the user and writes "2061"; the
// copy may still be locked for a moment, so removal is retried on a timer instead of
// blocking the window.
#pragma once

#include <string>

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace velvora {

inline constexpr const char* PreviewFinishedMessage = "2061";
inline constexpr int PreviewCleanupTries = 11;
inline constexpr int PreviewCleanupIntervalMs = 100;

class PreviewCleanupServer : public QObject {
    Q_OBJECT
public:
    // Listens on `serverName`; a name left behind by a crashed run is reclaimed, one held
    // by a running copy of the program is not. Failing to listen is logged and otherwise
    // harmless: only the clean-up is lost.
    PreviewCleanupServer(const QString& serverName, std::string previewPath, QObject* parent = nullptr);

    // "velvora-" + the user's login name.
    static QString DefaultServerName();

    bool IsListening() const;
    // Starts the removal loop afresh: at most PreviewCleanupTries deletions, spaced by
    // PreviewCleanupIntervalMs, ending as soon as the file is gone.
    void StartCleanup();
    bool CleanupRunning() const;

private:
    void AcceptClients();
    void ReadMessage(QLocalSocket* client);
    void CleanupTick();

    QLocalServer* server_ = nullptr;
    QTimer* retryTimer_ = nullptr;
    std::string previewPath_;
    int triesLeft_ = 0;
};

}  // namespace velvora

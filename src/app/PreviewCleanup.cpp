#include "app/PreviewCleanup.h"

#include <filesystem>
#include <system_error>

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "app/VelvoraApplication.h"

namespace velvora {

// Anything longer than this without the message is not a client of ours.
static constexpr qint64 MaxMessageBytes = 64;

static bool NameHeldByRunningServer(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(200);
}

// Asked before listening: with access options set, Qt binds the socket elsewhere and
// renames it over the name, which would silently take it from a running copy.
static bool Listen(QLocalServer& server, const QString& name) {
    if (NameHeldByRunningServer(name)) return false;
    if (server.listen(name)) return true;
    if (server.serverError() != QAbstractSocket::AddressInUseError) return false;
    QLocalServer::removeServer(name);
    return server.listen(name);
}

PreviewCleanupServer::PreviewCleanupServer(const QString& serverName, std::string previewPath, QObject* parent)
    : QObject(parent),
      server_(new QLocalServer(this)),
      retryTimer_(new QTimer(this)),
      previewPath_(std::move(previewPath)) {
    retryTimer_->setSingleShot(true);
    retryTimer_->setInterval(PreviewCleanupIntervalMs);
    connect(retryTimer_, &QTimer::timeout, this, &PreviewCleanupServer::CleanupTick);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &PreviewCleanupServer::AcceptClients);
    if (!Listen(*server_, serverName))
        qCWarning(lcApp) << "preview clean-up disabled, cannot listen on" << serverName << server_->errorString();
}

QString PreviewCleanupServer::DefaultServerName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME", QStringLiteral("user"));
    return QStringLiteral("velvora-") + user;
}

bool PreviewCleanupServer::IsListening() const { return server_->isListening(); }

bool PreviewCleanupServer::CleanupRunning() const { return triesLeft_ > 0; }

void PreviewCleanupServer::AcceptClients() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::readyRead, this, [this, client] { ReadMessage(client); });
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
}

void PreviewCleanupServer::ReadMessage(QLocalSocket* client) {
    // The message may arrive in pieces, so it is looked for in everything read so far.
    QByteArray received = client->property("received").toByteArray() + client->readAll();
    if (received.contains(PreviewFinishedMessage)) {
        received.clear();
        StartCleanup();
    } else if (received.size() > MaxMessageBytes) {
        client->abort();
        return;
    }
    client->setProperty("received", received);
}

void PreviewCleanupServer::StartCleanup() {
    retryTimer_->stop();
    triesLeft_ = PreviewCleanupTries;
    CleanupTick();
}

void PreviewCleanupServer::CleanupTick() {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(previewPath_, error))) {
        triesLeft_ = 0;
        return;
    }
    std::filesystem::remove(previewPath_, error);  // a copy still running stays until a later try
    if (--triesLeft_ > 0) retryTimer_->start();
}

}  // namespace velvora

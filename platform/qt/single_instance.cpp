// Single instance through a lock file and a local socket.
#include "platform/qt/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace kvx {

namespace {
constexpr char kActivateMessage[] = "activate\n";
}

QString InstanceKey(const std::string& settingsFolder) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(settingsFolder), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1-%2-%3").arg(kInstanceMutexName).arg(::getuid()).arg(QString::fromLatin1(digest));
}

namespace {
QString RuntimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}
}  // namespace

QString InstanceLockFile(const QString& key) { return QDir(RuntimeFolder()).filePath(key + QStringLiteral(".lock")); }

QString InstanceSocket(const QString& key) { return QDir(RuntimeFolder()).filePath(key); }

TSingleInstance::TSingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(InstanceLockFile(key_));
    // Never stale by age: only a lock whose process is gone is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString socket = InstanceSocket(key_);
    if (!server_->listen(socket)) {
        // A socket file left by a copy that died: we hold the lock, so it is ours to remove.
        QLocalServer::removeServer(socket);
        server_->listen(socket);
    }
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::OnNewConnection);
    return true;
}

bool TSingleInstance::ActivateRunningInstance(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(InstanceSocket(key_));
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kActivateMessage);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void TSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readRequest = [this, socket] {
            if (!socket->canReadLine()) return;
            const QByteArray line = socket->readLine();
            if (line == kActivateMessage) emit ActivationRequested();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        readRequest();
    }
}

}  // namespace kvx

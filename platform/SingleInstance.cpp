#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
const QByteArray RaiseRequest = "raise\n";
}

TSingleInstance::TSingleInstance(const QString& name, const QString& folder) : FName(name) {
    QString dir = folder.isEmpty()
                      ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                      : folder;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    FLockPath = QDir(dir).filePath(name + QStringLiteral(".lock"));
    FSocketPath = QDir(dir).filePath(name + QStringLiteral(".socket"));
    connect(&FServer, &QLocalServer::newConnection, this, &TSingleInstance::ReadRequests);
}

TSingleInstance::~TSingleInstance() {
    FServer.close();
    if (FLock)
        FLock->unlock();
}

TSingleInstance::TResult TSingleInstance::Acquire() {
    FLock = std::make_unique<QLockFile>(FLockPath);
    // A lock whose process is gone is stale and taken over; a live one is never broken.
    FLock->setStaleLockTime(0);
    if (!FLock->tryLock(0)) {
        TResult result =
            FLock->error() == QLockFile::LockFailedError ? TResult::Running : TResult::Failed;
        FLock.reset();
        return result;
    }
    // A socket left by a crashed instance would make listen() fail.
    QLocalServer::removeServer(FSocketPath);
    FServer.setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket the program still runs; only raising it from a second start fails.
    FServer.listen(FSocketPath);
    return TResult::First;
}

bool TSingleInstance::RaiseRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(FSocketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(RaiseRequest);
    bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

void TSingleInstance::ReadRequests() {
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine())
                if (socket->readLine() == RaiseRequest && OnRaise)
                    OnRaise();
        });
    }
}

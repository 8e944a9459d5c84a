// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include "platform/FileIo.h"
#include "platform/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A later start sends one line: "raise", or "raise" and a blank and its activation token.
const QByteArray RaiseRequest = "raise";
constexpr qsizetype MaxTokenLength = 255;

// Anything longer than a request line without a line end is not ours.
constexpr qsizetype MaxPendingBytes = 8 + MaxTokenLength;

bool TokenCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < ShiftJis::DeleteChar;
}

// The address of the socket at `path`; false when the path does not fit an address.
bool SocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

// A new non-blocking socket for the address of `path`, filled in; -1 when the path does not fit
// an address or no socket can be made.
int OpenSocket(const QString& path, sockaddr_un& address) {
    if (!SocketAddress(path, address))
        return -1;
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits until `fd` is ready for `events` or `timeoutMs` passed; retries after a signal.
bool WaitFor(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    int ready = 0;
    do
        ready = ::poll(&entry, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0 && (entry.revents & events) != 0;
}

// Why no file can be written in `folder`: the error number of the first step that fails of
// what taking a lock does (create a file, write to it, close it), or 0 when all succeed.
int WriteError(const QString& folder) {
    QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".lock-test-XXXXXX")));
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    const char bytes[64] = {};
    int error = 0;
    if (::write(fd, bytes, sizeof bytes) != static_cast<ssize_t>(sizeof bytes))
        error = errno != 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    ::unlink(path.constData());
    return error;
}

} // namespace

TSingleInstance::TSingleInstance(const QString& name, const QString& folder) : FName(name) {
    QString dir = folder.isEmpty()
                      ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                      : folder;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    FLockPath = QDir(dir).filePath(name + QStringLiteral(".lock"));
    FSocketPath = QDir(dir).filePath(name + QStringLiteral(".socket"));
}

TSingleInstance::~TSingleInstance() {
    StopListening();
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
        if (result == TResult::Failed) {
            // QLockFile keeps the system's error to itself: the same steps, taken again, say it.
            int error = WriteError(QFileInfo(FLockPath).absolutePath());
            if (error == 0)
                error = FLock->error() == QLockFile::PermissionError ? EACCES : EIO;
            FFailureReason = QString::fromUtf8(
                TFileError(QFile::encodeName(FLockPath).toStdString(), FileErrorReason(error))
                    .what());
        }
        FLock.reset();
        return result;
    }
    // Without the socket the program still runs; only raising it from a second start fails.
    Listen();
    return TResult::First;
}

bool TSingleInstance::Listen() {
    sockaddr_un address;
    const int fd = OpenSocket(FSocketPath, address);
    if (fd < 0)
        return false;
    // A socket left by a crashed instance would make bind() fail; the lock is ours, so no
    // running instance owns it.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    FServer = fd;
    FServerNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(FServerNotifier.get(), &QSocketNotifier::activated, this,
            &TSingleInstance::AcceptClients);
    return true;
}

void TSingleInstance::StopListening() {
    while (!FClients.empty())
        DropClient(FClients.begin()->first);
    if (FServer < 0)
        return;
    FServerNotifier.reset();
    ::close(FServer);
    FServer = -1;
    QFile::remove(FSocketPath);
}

bool TSingleInstance::ValidActivationToken(const QString& token) {
    if (token.isEmpty() || token.size() > MaxTokenLength)
        return false;
    return std::all_of(token.begin(), token.end(), [](QChar c) {
        return c.unicode() < 0x80 && TokenCharacter(static_cast<char>(c.unicode()));
    });
}

bool TSingleInstance::RaiseRunning(int timeoutMs, const QString& activationToken) {
    QByteArray request = RaiseRequest;
    if (ValidActivationToken(activationToken))
        request += ' ' + activationToken.toLatin1();
    request += '\n';
    sockaddr_un address;
    const int fd = OpenSocket(FSocketPath, address);
    if (fd < 0)
        return false;
    bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    // A full backlog makes a local connect wait; it is given the time allowed.
    if (!connected && (errno == EAGAIN || errno == EINPROGRESS) &&
        WaitFor(fd, POLLOUT, timeoutMs)) {
        int error = 0;
        socklen_t length = sizeof error;
        connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
    qsizetype written = 0;
    while (connected && written < request.size()) {
        const ssize_t n = ::send(fd, request.constData() + written,
                                 static_cast<std::size_t>(request.size() - written), MSG_NOSIGNAL);
        if (n > 0)
            written += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN && WaitFor(fd, POLLOUT, timeoutMs))
            continue;
        else
            break;
    }
    ::close(fd);
    return written == request.size();
}

void TSingleInstance::AcceptClients() {
    for (;;) {
        const int fd = ::accept4(FServer, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        TClient& client = FClients[fd];
        client.Notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client.Notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { ReadClient(fd); });
    }
}

void TSingleInstance::ReadClient(int fd) {
    auto found = FClients.find(fd);
    if (found == FClients.end())
        return;
    char buffer[256];
    QStringList raises; // the token of each request
    bool closed = false;
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            found->second.Pending.append(buffer, n);
            if (found->second.Pending.size() > MaxPendingBytes &&
                !found->second.Pending.contains('\n'))
                break;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        closed = n == 0 || errno != EAGAIN;
        break;
    }
    QByteArray& pending = found->second.Pending;
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        const QByteArray line = pending.first(end);
        if (line == RaiseRequest)
            raises << QString();
        else if (line.startsWith(RaiseRequest + ' ')) {
            QString token = QString::fromLatin1(line.mid(RaiseRequest.size() + 1));
            if (ValidActivationToken(token))
                raises << token;
        }
        pending.remove(0, end + 1);
    }
    if (closed || pending.size() > MaxPendingBytes)
        DropClient(fd);
    // Raising may run an event loop of its own: the client is settled before.
    for (const QString& token : raises)
        if (OnRaise)
            OnRaise(token);
}

void TSingleInstance::DropClient(int fd) {
    auto found = FClients.find(fd);
    if (found == FClients.end())
        return;
    found->second.Notifier.reset();
    ::close(fd);
    FClients.erase(found);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One running instance per executable name and user: a lock file in the user's runtime folder
// says that an instance runs, and a Unix-domain socket beside it lets a later start ask that
// instance to bring its window to the front. The socket is a plain one watched by the event
// loop, so that the guard needs nothing beyond QtCore.

#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

class TSingleInstance : public QObject {
public:
    enum class TResult {
        First,   // this is the only instance: go on
        Running, // another instance of the same name runs
        Failed,  // the lock could not be taken for another reason
    };

    // `name` is the executable's file name; `folder` the folder for the lock and the socket
    // (empty: the user's runtime folder).
    explicit TSingleInstance(const QString& name, const QString& folder = {});
    ~TSingleInstance() override;
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    TResult Acquire();

    // After Acquire failed: why, as the message box says it: the lock file's path and the
    // system's reason, such as "ディスクの空き容量が足りません。".
    const QString& FailureReason() const { return FFailureReason; }

    // The executable's file name the guard was made for.
    const QString& Name() const { return FName; }

    // Asks the running instance to raise its window; false when it could not be reached.
    // `activationToken`, when given, is the activation token (xdg-activation) this start was
    // given by the desktop that launched it; a Wayland compositor lets the running instance
    // take the focus with it. It is sent only when it is a valid token (ValidActivationToken).
    bool RaiseRunning(int timeoutMs = 1000, const QString& activationToken = {});

    // Called in the first instance when a later start asks it to raise its window, with the
    // activation token that start sent (empty when none).
    std::function<void(const QString& activationToken)> OnRaise;

    // Whether `token` can travel as an activation token: 1 to 255 printable ASCII characters
    // without blanks.
    static bool ValidActivationToken(const QString& token);

private:
    // A later start that connected: its socket, watched for reading, and what it sent so far
    // of an unfinished line.
    struct TClient {
        std::unique_ptr<QSocketNotifier> Notifier;
        QByteArray Pending;
    };

    bool Listen();
    void StopListening();
    void AcceptClients();
    void ReadClient(int fd);
    void DropClient(int fd);

    QString FName;
    QString FFailureReason;
    QString FLockPath;
    QString FSocketPath;
    std::unique_ptr<QLockFile> FLock;
    int FServer = -1;
    std::unique_ptr<QSocketNotifier> FServerNotifier;
    std::map<int, TClient> FClients;
};

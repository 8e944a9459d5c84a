#pragma once

// One running instance per executable name and user: a lock file in the user's runtime folder
// says that an instance runs, and a local socket beside it lets a later start ask that instance
// to bring its window to the front.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

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

    TResult Acquire();

    // The executable's file name the guard was made for.
    const QString& Name() const { return FName; }

    // Asks the running instance to raise its window; false when it could not be reached.
    bool RaiseRunning(int timeoutMs = 1000);

    // Called in the first instance when a later start asks it to raise its window.
    std::function<void()> OnRaise;

private:
    void ReadRequests();

    QString FName;
    QString FLockPath;
    QString FSocketPath;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer FServer;
};

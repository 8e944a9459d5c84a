// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Notices changes to a folder and to the files in it, whoever makes them (this program, another
// one, the learner's file manager): a file created, written, renamed or deleted. The changes
// of one save (a temporary file written, then renamed over the file) come as several events;
// OnChanged is called once, after they have been quiet for QuietMs. While the folder does not
// exist its parent folder is watched, so that the folder's creation is noticed too.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class TFolderWatch : public QObject {
public:
    static constexpr int QuietMs = 200;

    explicit TFolderWatch(QObject* parent = nullptr);

    // Watches `folder` (and its files as they are now) from now on.
    void Watch(const QString& folder);
    const QString& Folder() const { return FFolder; }

    std::function<void()> OnChanged;

private:
    // The folder and its files as they are now: new files are watched, gone ones dropped.
    void Rewatch();
    void Changed();

    QFileSystemWatcher FWatcher;
    QTimer FQuiet;
    QString FFolder;
};

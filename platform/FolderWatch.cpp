// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderWatch.h"

#include <QDir>
#include <QFileInfo>

TFolderWatch::TFolderWatch(QObject* parent) : QObject(parent) {
    FQuiet.setSingleShot(true);
    FQuiet.setInterval(QuietMs);
    connect(&FQuiet, &QTimer::timeout, this, [this] {
        Rewatch();
        if (OnChanged)
            OnChanged();
    });
    connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, &TFolderWatch::Changed);
    connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, &TFolderWatch::Changed);
}

void TFolderWatch::Watch(const QString& folder) {
    FFolder = folder;
    Rewatch();
}

void TFolderWatch::Changed() {
    FQuiet.start();
}

void TFolderWatch::Rewatch() {
    if (!FWatcher.files().isEmpty())
        FWatcher.removePaths(FWatcher.files());
    if (!FWatcher.directories().isEmpty())
        FWatcher.removePaths(FWatcher.directories());
    if (FFolder.isEmpty())
        return;
    const QDir folder(FFolder);
    if (!folder.exists()) {
        const QString parent = QFileInfo(FFolder).absolutePath();
        if (QFileInfo(parent).isDir())
            FWatcher.addPath(parent);
        return;
    }
    FWatcher.addPath(FFolder);
    QStringList files;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files))
        files << file.absoluteFilePath();
    if (!files.isEmpty())
        FWatcher.addPaths(files);
}

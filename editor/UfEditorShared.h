// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the editor window's files share: paths between the file system and the screen, the
// data of its list items, and the placing of a splitter.

#include "platform/FileIo.h"

#include <QFile>
#include <QSplitter>
#include <QStringList>
#include <QTreeWidgetItem>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// Item data of ListView1 (the file name's bytes) and ListView2 (the "Idx=" and "LastIdx=" lines).
inline constexpr int FileNameRole = Qt::UserRole;
inline constexpr int EntryDataRole = Qt::UserRole;

inline std::vector<std::string> EntryData(const QTreeWidgetItem* item) {
    std::vector<std::string> data;
    for (const QString& line : item->data(0, EntryDataRole).toStringList())
        data.push_back(line.toStdString());
    return data;
}

// The first pane of `splitter` gets `first` pixels, the second the rest.
inline void PlaceSplitter(QSplitter* splitter, int first) {
    int total = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    total -= splitter->handleWidth();
    splitter->setSizes({first, std::max(0, total - first)});
}

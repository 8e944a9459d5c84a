// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reading and the one atomic save that every write of a learner's file goes through.
// Failures throw TFileError, whose UTF-8 message names the file and gives the reason in Japanese
// for the common causes (no space left, no permission, read-only file system, a folder, no such
// file, too large, not a regular file) and the system's own text for the rare rest.

#include <QString>

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

class TFileError : public std::runtime_error {
public:
    // `reason` is the reason alone, such as "ディスクの空き容量が足りません。".
    TFileError(const std::filesystem::path& path, const std::string& reason);

    const std::filesystem::path& Path() const { return FPath; }
    const std::string& Reason() const { return FReason; }

private:
    std::filesystem::path FPath;
    std::string FReason;
};

// The reason of the error number `error` (errno), in Japanese where it is a common one.
std::string FileErrorReason(int error);

// The bytes of the file. Only a regular file (or a link to one) is read: a folder, a device or a
// named pipe is refused without being read. Throws TFileError when the file cannot be opened or
// read, or holds more than `maxSize` bytes (counted while reading, not taken from its size).
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::size_t maxSize = static_cast<std::size_t>(-1));

// The first `count` bytes of a regular file, or all of it when it is shorter.
std::string ReadFileHead(const std::filesystem::path& path, std::size_t count);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only once all of
// it is on disk: a failed or interrupted save leaves the previous file whole. A new file gets
// the permissions of the file it replaces; a link is followed and its target replaced. A file
// protected against writing (no write permission, for root too when no one has it) is refused
// like a file that cannot be written, whatever the folder allows.
void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes);

// True for a name that a save of ours gives its temporary file, such as
// "Typorin.dat.saving-a1B2c3"; with `oldStyleOf` "Typorin.dat", also "Typorin.dat.a1B2c3".
bool IsSaveLeftoverName(std::string_view name, std::string_view oldStyleOf = {});

// Removes from `folder` the temporary files that saves interrupted by a kill left behind; the
// real files are never touched. Failures are ignored: a leftover is harmless, only untidy.
void RemoveSaveLeftovers(const std::filesystem::path& folder, std::string_view oldStyleOf = {});

// A path as the learner sees it (the file system's bytes decoded as the desktop decodes file
// names), and such a text back as a path.
QString ToDisplayPath(const std::filesystem::path& path);
std::filesystem::path FromDisplayPath(const QString& path);

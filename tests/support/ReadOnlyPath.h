// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes a file or folder unwritable while it lives, for every process of the test, root
// included: a folder takes no new file, a file no write. A user loses the write permission; as
// root, who writes whatever the permissions say, the path is marked immutable instead, which
// binds root too. Supported() is false where neither works (a file system without the mark).

#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class TReadOnlyPath {
public:
    explicit TReadOnlyPath(std::filesystem::path path) : FPath(std::move(path)) {
        if (::geteuid() != 0) {
            FPerms = std::filesystem::status(FPath).permissions();
            std::filesystem::permissions(FPath,
                                         std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
            FSupported = true;
            return;
        }
        FSupported = SetImmutable(true);
    }
    ~TReadOnlyPath() { Release(); }
    TReadOnlyPath(const TReadOnlyPath&) = delete;
    TReadOnlyPath& operator=(const TReadOnlyPath&) = delete;

    bool Supported() const { return FSupported; }

    // Writable again before the end of the test.
    void Release() {
        if (!FSupported)
            return;
        FSupported = false;
        if (::geteuid() != 0)
            std::filesystem::permissions(FPath, FPerms);
        else
            SetImmutable(false);
    }

private:
    bool SetImmutable(bool on) {
        int fd = ::open(FPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::filesystem::path FPath;
    std::filesystem::perms FPerms{};
    bool FSupported = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include "platform/Translate.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view LeftoverMark = ".saving-";
constexpr std::size_t LeftoverRandomChars = 6; // the XXXXXX of mkstemp

// Closes the descriptor when it goes out of scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now; false (errno set) when the close reports a failed write.
    bool Close() {
        int fd = FFd;
        FFd = -1;
        return ::close(fd) == 0;
    }

private:
    int FFd;
};

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
    throw TFileError(path, FileErrorReason(error));
}

std::string ReadOnlyReason() {
    return TrUtf8(
        "FileIo",
        "書き込みが禁止されたファイルです（読み取り専用）。書き込みを許可すると保存できます。");
}

std::string NotRegularReason() {
    return TrUtf8("FileIo", "通常のファイルではありません（フォルダー、デバイス、名前付きパイプなど"
                            "は読みこめません）。");
}

std::string TooLargeReason(std::size_t maxSize) {
    std::string digits = std::to_string(maxSize);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return Utf8Of(
        FillArgs(TrText("FileIo", "ファイルが大きすぎます（%1 バイトまで読みこめます）。"),
                 {Utf16Of(digits)}));
}

// Opens a regular file for reading. A named pipe would block open() until a writer comes, so the
// file is opened non-blocking and its kind checked before a byte is read.
int OpenRegular(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        Fail(path, errno);
    if (S_ISDIR(info.st_mode))
        Fail(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw TFileError(path, NotRegularReason());
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        Fail(path, errno);
    // The file may have been replaced between the two looks.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw TFileError(path, NotRegularReason());
    }
    return fd;
}

// Reads up to `limit` bytes; `limit` + 1 bytes are asked for when `overflow` is wanted, so that
// a file longer than the limit shows, whatever size it reported.
std::string ReadUpTo(const std::filesystem::path& path, std::size_t limit, bool* overflow) {
    TDescriptor fd(OpenRegular(path));
    std::string bytes;
    std::size_t wanted = overflow && limit != static_cast<std::size_t>(-1) ? limit + 1 : limit;
    constexpr std::size_t Chunk = 64 * 1024;
    for (;;) {
        std::size_t step = std::min(Chunk, wanted - bytes.size());
        if (step == 0)
            break;
        std::size_t at = bytes.size();
        bytes.resize(at + step);
        ssize_t got = ::read(fd.Get(), bytes.data() + at, step);
        if (got < 0) {
            if (errno == EINTR) {
                bytes.resize(at);
                continue;
            }
            Fail(path, errno);
        }
        bytes.resize(at + static_cast<std::size_t>(got));
        if (got == 0)
            break;
    }
    if (overflow)
        *overflow = bytes.size() > limit;
    return bytes;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool IsLeftoverChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

TFileError::TFileError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(
          Utf8Of(FillArgs(TrText("FileIo", "ファイル: %1"), {Utf16Of(path.string())})) + "\r\n" +
          reason),
      FPath(path), FReason(reason) {}

std::string FileErrorReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return TrUtf8("FileIo", "ディスクの空き容量が足りません。");
    case EACCES:
    case EPERM:
        return TrUtf8("FileIo", "アクセスする権限がありません。");
    case EROFS:
        return TrUtf8("FileIo", "読み取り専用のファイルシステムです。");
    case EISDIR:
        return TrUtf8("FileIo", "ファイルではなくフォルダーです。");
    case ENOENT:
        return TrUtf8("FileIo", "ファイルまたはフォルダーがありません。");
    case ENOTDIR:
        return TrUtf8("FileIo", "パスの途中にフォルダーではないものがあります。");
    case EFBIG:
        return TrUtf8("FileIo", "ファイルが大きすぎます。");
    default:
        return std::strerror(error);
    }
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    bool overflow = false;
    std::string bytes = ReadUpTo(path, maxSize, &overflow);
    if (overflow)
        throw TFileError(path, TooLargeReason(maxSize));
    return bytes;
}

std::string ReadFileHead(const std::filesystem::path& path, std::size_t count) {
    return ReadUpTo(path, count, nullptr);
}

void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ignored;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ignored)) {
        std::filesystem::path resolved = std::filesystem::canonical(path, ignored);
        if (!resolved.empty())
            target = resolved;
    }
    struct stat previous {};
    bool replaces = ::stat(target.c_str(), &previous) == 0;
    if (replaces && S_ISDIR(previous.st_mode))
        Fail(path, EISDIR);
    // A file protected against writing is not replaced, though the folder would allow it: a
    // file nobody may write (mode 0444, which root ignores too), or one this user may not.
    if (replaces && ((previous.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw TFileError(path, ReadOnlyReason());

    std::string temporary = target.string() + std::string(LeftoverMark) + "XXXXXX";
    TDescriptor fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0)
        Fail(path, errno);
    auto abandon = [&](int error) {
        ::unlink(temporary.c_str());
        Fail(path, error);
    };
    mode_t mode;
    if (replaces) {
        mode = previous.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.Get(), mode) != 0 && errno != EPERM)
        abandon(errno);
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close())
        abandon(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        abandon(errno);
}

bool IsSaveLeftoverName(std::string_view name, std::string_view oldStyleOf) {
    auto isRandom = [](std::string_view random) {
        return random.size() == LeftoverRandomChars &&
               std::all_of(random.begin(), random.end(), IsLeftoverChar);
    };
    if (!oldStyleOf.empty() && name.size() > oldStyleOf.size() && name.starts_with(oldStyleOf) &&
        name[oldStyleOf.size()] == '.' && isRandom(name.substr(oldStyleOf.size() + 1)))
        return true;
    std::size_t mark = name.rfind(LeftoverMark);
    return mark != std::string_view::npos && mark != 0 &&
           isRandom(name.substr(mark + LeftoverMark.size()));
}

void RemoveSaveLeftovers(const std::filesystem::path& folder, std::string_view oldStyleOf) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (IsSaveLeftoverName(it->path().filename().native(), oldStyleOf) &&
            !it->is_symlink(ignored) && it->is_regular_file(ignored))
            std::filesystem::remove(it->path(), ignored);
    }
}

QString ToDisplayPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path FromDisplayPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

#include "platform/FileIo.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace {
QString ToQPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

[[noreturn]] void Fail(const char* what, const std::filesystem::path& path, const QString& reason) {
    throw std::runtime_error(std::string(what) + " " + path.string() + ": " + reason.toStdString());
}
} // namespace

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    QFile file(ToQPath(path));
    if (!file.open(QIODevice::ReadOnly))
        Fail("Cannot open", path, file.errorString());
    if (static_cast<std::size_t>(file.size()) > maxSize)
        Fail("Cannot read", path,
             QString("the file is larger than %1 bytes").arg(static_cast<qulonglong>(maxSize)));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail("Cannot read", path, file.errorString());
    return bytes.toStdString();
}

void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    QSaveFile file(ToQPath(path));
    // Unbuffered, so that a short write shows in the result of write() and not only later.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail("Cannot write", path, file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        QString reason = file.errorString();
        file.cancelWriting();
        Fail("Cannot write", path, reason);
    }
    if (!file.commit())
        Fail("Cannot write", path, file.errorString());
}

#pragma once

// Whole-file reading and the one atomic save that every write of a learner's file goes through.
// Failures throw std::runtime_error with a UTF-8 message that names the file and the reason.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The bytes of the file. Throws when it cannot be opened or read, or is longer than `maxSize`.
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::size_t maxSize = static_cast<std::size_t>(-1));

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only once all of
// it is on disk: a failed or interrupted save leaves the previous file whole.
void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes);

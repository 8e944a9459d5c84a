// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: an invariant check that aborts with a message (the fuzzer keeps
// the input that broke it), and a reader that takes typed values off the front of the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size)
        : FRest(reinterpret_cast<const char*>(data), size) {}

    // A value made of the next sizeof(T) bytes (zero bytes past the end).
    template <typename T>
    T Take() {
        T value{};
        std::size_t n = std::min(sizeof(T), FRest.size());
        std::memcpy(&value, FRest.data(), n);
        FRest.remove_prefix(n);
        return value;
    }
    // The next `n` bytes, or fewer at the end.
    std::string_view Bytes(std::size_t n) {
        std::string_view part = FRest.substr(0, n);
        FRest.remove_prefix(part.size());
        return part;
    }
    std::string_view Rest() const { return FRest; }
    std::u16string RestAsUtf16() const {
        std::u16string text(FRest.size() / 2, u'\0');
        std::memcpy(text.data(), FRest.data(), text.size() * 2);
        return text;
    }

private:
    std::string_view FRest;
};

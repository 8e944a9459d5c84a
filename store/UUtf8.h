// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// UTF-16 to UTF-8 and back for the text the statistics store keeps, without a toolkit.

#include <string>
#include <string_view>

namespace UUtf8 {

// A lone surrogate becomes U+FFFD.
std::string FromUtf16(std::u16string_view text);
// A byte that starts no valid UTF-8 sequence (and an overlong or surrogate form) becomes
// U+FFFD; decoding goes on after it.
std::u16string ToUtf16(std::string_view utf8);

} // namespace UUtf8

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The CSV files the program exports for spreadsheets: UTF-8 with a byte-order mark, every row
// ended by CR LF, a field quoted where it holds a comma, a quote or a line break, with its
// quotes doubled (RFC 4180). A field `say "hi", then` is written `"say ""hi"", then"`.

#include <string>
#include <string_view>
#include <vector>

namespace UCsv {

// What a CSV file begins with, so that spreadsheets read it as UTF-8.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// The field as it is written: quoted only where it must be.
std::string Field(std::string_view text);

// Appends one row of `fields` and its CR LF to `csv`.
void AppendRow(std::string& csv, const std::vector<std::string>& fields);

} // namespace UCsv

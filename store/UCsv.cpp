// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UCsv.h"

namespace UCsv {

std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void AppendRow(std::string& csv, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += ',';
        csv += Field(fields[i]);
    }
    csv += "\r\n";
}

} // namespace UCsv

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopKeyboard.h"

#include <vector>

namespace DesktopKeyboard {

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The pieces of `s` between the separators; "a,,b" gives "a", "", "b".
std::vector<std::string_view> Split(std::string_view s, char separator) {
    std::vector<std::string_view> pieces;
    while (true) {
        const std::size_t at = s.find(separator);
        pieces.push_back(s.substr(0, at));
        if (at == std::string_view::npos)
            return pieces;
        s.remove_prefix(at + 1);
    }
}

// The lines of an INI text: each section's name and its keys with their values.
struct TIniLine {
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
};

std::vector<TIniLine> IniLines(std::string_view text) {
    std::vector<TIniLine> lines;
    std::string_view section;
    for (std::string_view line : Split(text, '\n')) {
        line = Trimmed(line);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        lines.push_back({section, Trimmed(line.substr(0, equals)), value});
    }
    return lines;
}

} // namespace

std::string XkbLayouts(std::string_view rulesNames, int group) {
    const std::vector<std::string_view> fields = Split(rulesNames, '\0');
    if (fields.size() < 3)
        return {};
    const std::vector<std::string_view> layouts = Split(fields[2], ',');
    const std::vector<std::string_view> variants =
        fields.size() > 3 ? Split(fields[3], ',') : std::vector<std::string_view>{};
    std::vector<std::string> named;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        const std::string_view layout = Trimmed(layouts[i]);
        const std::string_view variant = i < variants.size() ? Trimmed(variants[i]) : "";
        std::string name(layout);
        if (!layout.empty() && !variant.empty())
            name += "(" + std::string(variant) + ")";
        named.push_back(std::move(name));
    }
    // The group in use first; a group beyond the list (the server clamps it) is the last.
    if (group > 0 && !named.empty()) {
        const std::size_t current = std::min<std::size_t>(group, named.size() - 1);
        std::string first = std::move(named[current]);
        named.erase(named.begin() + static_cast<std::ptrdiff_t>(current));
        named.insert(named.begin(), std::move(first));
    }
    std::string list;
    for (const std::string& name : named) {
        if (name.empty())
            continue;
        if (!list.empty())
            list += ',';
        list += name;
    }
    return list;
}

std::string Fcitx5ProfileLayout(std::string_view profile) {
    const std::vector<TIniLine> lines = IniLines(profile);
    std::string_view group;
    for (const TIniLine& line : lines)
        if (line.Section == "GroupOrder" && line.Key == "0")
            group = line.Value;
    // The group's section: the one of that name, else the first.
    std::string_view section;
    for (const TIniLine& line : lines) {
        const bool groupSection = line.Section.substr(0, 7) == "Groups/" &&
                                  line.Section.find('/', 7) == std::string_view::npos;
        if (groupSection && line.Key == "Name" && (group.empty() || line.Value == group)) {
            section = line.Section;
            break;
        }
    }
    if (section.empty())
        section = "Groups/0";
    for (const TIniLine& line : lines)
        if (line.Section == section && line.Key == "Default Layout")
            return std::string(line.Value);
    return {};
}

std::string DesktopLayouts(const TFacts& facts) {
    if (facts.Platform == "xcb") {
        std::string layouts = XkbLayouts(facts.XkbRulesNames, facts.XkbGroup);
        if (!layouts.empty())
            return layouts;
    }
    if (facts.Fcitx5Running) {
        if (!facts.Fcitx5Layout.empty())
            return facts.Fcitx5Layout;
        std::string layout = Fcitx5ProfileLayout(facts.Fcitx5Profile);
        if (!layout.empty())
            return layout;
    }
    return std::string(Trimmed(facts.XkbDefaultLayout));
}

} // namespace DesktopKeyboard

#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the rules of the source tree that no compiler checks:
#  - floors: a folder includes only folders of its own floor or below;
#  - every source file carries its licence line;
#  - every C++ file is formatted as .clang-format says (when clang-format is there).
#
#   check_sources.sh SOURCE_DIR
#
# The floors, from the bottom:
#   0 platform                                  what the program needs of the system
#   1 store                                     what is kept on disk
#   2 japanese registers compare romaji         the rules of the exercises, without a window
#     exercise analysis drills
#   3 records editor dialogs                    the secondary windows
#   4 app                                       the main window and the program's start
set -u
root=${1:?source folder}
cd "$root" || exit 2
failed=0

floor_of() {
    case $1 in
    platform) echo 0 ;;
    store) echo 1 ;;
    japanese | registers | compare | romaji | exercise | analysis | drills) echo 2 ;;
    records | editor | dialogs) echo 3 ;;
    app) echo 4 ;;
    *) echo "" ;;
    esac
}

sources=$(find platform store japanese registers compare romaji exercise analysis drills \
    records editor dialogs app resources tests bench fuzz -type f \
    \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)

for file in $sources; do
    folder=${file%%/*}
    own=$(floor_of "$folder")
    [ -n "$own" ] || continue
    for included in $(sed -n 's/^#include "\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
        other=$(floor_of "$included")
        [ -n "$other" ] || continue
        if [ "$other" -gt "$own" ]; then
            echo "$file: includes $included/, a higher floor than $folder/"
            failed=1
        fi
    done
done

for file in $sources $(find . -name CMakeLists.txt -not -path './build*' | sed 's|^\./||') \
    Makefile .ci/run tests/ime/im_session.sh; do
    [ -f "$file" ] || continue
    if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "$file: no SPDX-License-Identifier line"
        failed=1
    fi
done

if command -v clang-format >/dev/null 2>&1; then
    unformatted=$(for file in $sources; do
        clang-format --dry-run "$file" 2>&1 | grep -q . && echo "$file"
    done)
    if [ -n "$unformatted" ]; then
        echo "not formatted as .clang-format says (make format):"
        echo "$unformatted"
        failed=1
    fi
else
    echo "clang-format is missing: formatting not checked"
fi

exit $failed

#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks that the English translation covers the program: lupdate reads the sources into a copy
# of the translation file, and the check fails when a text has no translation yet (a new or
# changed source text), a translation is empty or still marked unfinished, or the file keeps a
# text the sources no longer have. The file in the repository is never changed; to bring it up
# to date run the same lupdate on it (UPDATE=1 does) and translate what it marks.
#
#   check_translations.sh SOURCE_DIR LUPDATE
set -u
root=${1:?source folder}
lupdate=${2:?lupdate}
ts=resources/translations/typorin_en.ts
cd "$root" || exit 2

work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/typorin_en.ts"
target="$work/typorin_en.ts"
[ "${UPDATE:-}" = 1 ] && target=$ts obsolete=-no-obsolete
# UPDATE=1 also drops the texts the sources no longer have.

"$lupdate" -silent -locations none -no-ui-lines ${obsolete:-} \
    -tr-function-alias translate+=TrText,translate+=TrSjis,translate+=TrUtf8,QT_TRANSLATE_NOOP+=TR_NOOP \
    -extensions cpp,h,ui \
    platform store japanese registers compare romaji exercise analysis drills records editor \
    dialogs app resources/forms -ts "$target" >"$work/lupdate.log" 2>&1 || {
    cat "$work/lupdate.log"
    exit 2
}
[ "${UPDATE:-}" = 1 ] && exit 0

# One message a line: its source and its translation element.
messages=$(tr '\n' '\r' <"$target" | sed 's|</message>|</message>\n|g' | grep '<message')
bad=$(printf '%s\n' "$messages" |
    grep -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' |
    sed -n 's|.*<source>\([^<]*\)</source>.*<translation\([^>]*\)>.*|\2 \1|p' | tr '\r' ' ')
if [ -n "$bad" ]; then
    echo "$ts is not complete (run UPDATE=1 $0 $root $lupdate, then translate):"
    printf '%s\n' "$bad"
    exit 1
fi
count=$(printf '%s\n' "$messages" | grep -c '<message')
echo "$count texts, each translated"
exit 0

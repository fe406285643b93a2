#!/usr/bin/env bash
# Makes data/yinbiao.tsv, the British transcription of every word of both banks: espeak-ng's
# (-v en-gb, with -v en-gb-x-rp deciding the BATH vowel, /ɑːsk/ but /kæt/), in the textbook's
# notation (tools/textbook_ipa), then the overrides of data/yinbiao-overrides.tsv. The result is
# kept in the repository, so the banks never change with the espeak-ng of the machine that
# builds them. --changes also prints what the converter and the overrides changed against
# espeak-ng (tools/yinbiao-changes.py), for a reviewer to read the judgement calls.
# Usage: tools/make-yinbiao.sh [--changes] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
changes=
if [ "${1:-}" = --changes ]; then
    changes=1
    shift
fi
convert="${1:-$root/build}/tools/textbook_ipa"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

espeak-ng --voices=en | grep -q ' en-gb-x-rp ' ||
    { echo "make-yinbiao: espeak-ng has no en-gb-x-rp voice" >&2; exit 1; }
cut -f1 "$root/data/cet4.tsv" "$root/data/cet6.tsv" | awk '!seen[$0]++' > "$work/words"
# One espeak-ng per word: given many at once it joins some and splits others.
nl -ba -w1 -s$'\t' "$work/words" |
    xargs -d '\n' -P "$(nproc)" -n 1 sh -c \
        'n=${1%%	*}; w=${1#*	}
         ipa() { espeak-ng -q --ipa -v "$1" "$w" | tr "\n" " " | sed "s/^ *//; s/ *$//"; }
         printf "%s\t%s\t%s\n" "$n" "$(ipa en-gb)" "$(ipa en-gb-x-rp)"' _ |
    sort -n | cut -f2,3 > "$work/espeak"
[ "$(wc -l < "$work/words")" = "$(grep -c '^[^	]' "$work/espeak")" ] ||
    { echo "make-yinbiao: espeak-ng gave no transcription for some words" >&2; exit 1; }
"$convert" < "$work/espeak" > "$work/textbook"
paste "$work/words" "$work/textbook" |
    awk -F'\t' -v OFS='\t' 'NR == FNR { if ($0 !~ /^#/ && NF == 2) fixed[$1] = $2; next }
                            { if ($1 in fixed) $2 = fixed[$1]; print }' \
        "$root/data/yinbiao-overrides.tsv" - > "$root/data/yinbiao.tsv"
echo "yinbiao: $(wc -l < "$root/data/yinbiao.tsv") words"
if [ -n "$changes" ]; then
    paste "$work/words" "$work/espeak" "$work/textbook" <(cut -f2 "$root/data/yinbiao.tsv") |
        "$root/tools/yinbiao-changes.py"
fi

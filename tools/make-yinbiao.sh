#!/usr/bin/env bash
# Makes data/yinbiao.tsv, the British transcription of every word of both banks: espeak-ng's
# (-v en-gb), in the textbook's notation (tools/textbook_ipa), then the overrides of
# data/yinbiao-overrides.tsv. The result is kept in the repository, so the banks never
# change with the espeak-ng of the machine that builds them.
# Usage: tools/make-yinbiao.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
convert="${1:-$root/build}/tools/textbook_ipa"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cut -f1 "$root/data/cet4.tsv" "$root/data/cet6.tsv" | awk '!seen[$0]++' > "$work/words"
# One espeak-ng per word: given many at once it joins some and splits others.
nl -ba -w1 -s$'\t' "$work/words" |
    xargs -d '\n' -P "$(nproc)" -n 1 sh -c \
        'n=${1%%	*}; w=${1#*	}; printf "%s\t%s\n" "$n" "$(espeak-ng -q --ipa -v en-gb "$w" | tr "\n" " " | sed "s/^ *//; s/ *$//")"' _ |
    sort -n | cut -f2 > "$work/espeak"
[ "$(wc -l < "$work/words")" = "$(wc -l < "$work/espeak")" ] ||
    { echo "make-yinbiao: espeak-ng gave no transcription for some words" >&2; exit 1; }
"$convert" < "$work/espeak" > "$work/textbook"
paste "$work/words" "$work/textbook" |
    awk -F'\t' -v OFS='\t' 'NR == FNR { if ($0 !~ /^#/ && NF == 2) fixed[$1] = $2; next }
                            { if ($1 in fixed) $2 = fixed[$1]; print }' \
        "$root/data/yinbiao-overrides.tsv" - > "$root/data/yinbiao.tsv"
echo "yinbiao: $(wc -l < "$root/data/yinbiao.tsv") words"

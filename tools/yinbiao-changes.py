#!/usr/bin/env python3
"""What the converter and the overrides changed against espeak-ng, for a reviewer.

    tools/make-yinbiao.sh --changes         (feeds this script)
    yinbiao-changes.py [--all] < COLUMNS    word, en-gb, en-gb-x-rp, converter's, final

espeak-ng's en-gb transcription is first put in the textbook's symbols alone (ɹ r, ɡ g, ɐ ə,
ɛ e, a æ, no marks on one syllable); what differs from that is a change of substance. The
overrides are listed whole; the converter's sound changes are grouped by what became what,
its stress changes by kind. --all lists every word of a group, not the first twelve.
"""
import collections
import difflib
import os
import re
import sys

OVERRIDES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                         "yinbiao-overrides.tsv")

SYMBOLS = {"ɹ": "r", "ɡ": "g", "ɐ": "ə", "ɚ": "ə", "ᵻ": "ɪ", "ɾ": "t", "ɛ": "e"}
VOWELS = "iɪeæʌɒɔʊuəɜɑao"
SHOWN = 12


def notation(espeak):
    """espeak-ng's text in the textbook's symbols, nothing else changed."""
    out = "".join(SYMBOLS.get(c, c) for c in espeak if c not in "ʔ\u0303\u0329\u032f")
    return re.sub("a(?![ɪʊ])", "æ", out)


def sounds(ipa):
    return re.sub("[ˈˌ]", "", ipa)


def units(ipa):
    """Sounds as units: a vowel with its length mark, tʃ and dʒ, anything else alone."""
    return re.findall("tʃ|dʒ|.ː?", sounds(ipa))


def marks(ipa):
    return [m for word in ipa.split(" ") for m in re.findall("[ˈˌ]", word)]


def sound_changes(before, after):
    a, b = units(before), units(after)
    for op, i1, i2, j1, j2 in difflib.SequenceMatcher(None, a, b, autojunk=False).get_opcodes():
        if op != "equal":
            yield "".join(a[i1:i2]) or "∅", "".join(b[j1:j2]) or "∅"


def stress_change(before, after):
    """The kind of change to the stress marks, or None when they are the same."""
    b, a = marks(before), marks(after)
    if b == a or (not a and b == ["ˈ"] * len(b) and len(b) == len(before.split(" "))):
        return None  # the same, or only the marks of one-syllable words
    if b.count("ˈ") > 1 and a.count("ˈ") == 1:
        return "two main stresses: the last kept, the rest secondary"
    if a.count("ˈ") == 1 and "ˈ" in b and a == b[: len(a)]:
        return "secondary stress after the main one dropped"
    if a == ["ˌ", "ˈ"] and b.count("ˌ") > 1:
        return "of the secondary stresses before the main one, the first kept"
    if a == ["ˌ"] + b[: len(a) - 1] and "ˈ" in b:
        return "secondary stress on a full first syllable"
    if "ˈ" not in b or len(a) > len(b):
        return "main stress added"
    if not a:
        return "marks dropped"
    return "stress moved"


def listing(words, everything):
    shown = words if everything else words[:SHOWN]
    more = "" if len(shown) == len(words) else f" … (+{len(words) - len(shown)})"
    return " ".join(shown) + more


def overridden_words():
    with open(OVERRIDES, encoding="utf-8") as lines:
        return {line.split("\t")[0] for line in lines if not line.startswith("#") and "\t" in line}


def main():
    everything = "--all" in sys.argv[1:]
    overrides, sound, stress = [], collections.defaultdict(list), collections.defaultdict(list)
    stale = overridden_words()
    for line in sys.stdin:
        fields = line.rstrip("\n").split("\t")
        if len(fields) < 5:
            continue
        word, gb, _rp, converted, final = fields[:5]
        espeak = notation(gb)
        if final != converted:
            overrides.append((word, espeak, converted, final))
            stale.discard(word)
        for change in sorted(set(sound_changes(espeak, converted))):
            sound[change].append(word)
        kind = stress_change(espeak, converted)
        if kind:
            stress[kind].append(word)

    print(f"Overrides ({len(overrides)}): word, espeak-ng, the converter's, ours")
    for word, espeak, converted, final in overrides:
        print(f"  {word}\t{espeak}\t{converted}\t{final}")
    if stale:
        print(f"Overrides the converter now gives itself, or of no word: {' '.join(sorted(stale))}")
    print("\nThe converter's stress marks:")
    for kind, words in sorted(stress.items(), key=lambda kv: -len(kv[1])):
        print(f"  {kind} ({len(words)}): {listing(words, everything)}")
    print("\nThe converter's sounds (espeak-ng → ours):")
    for (old, new), words in sorted(sound.items(), key=lambda kv: -len(kv[1])):
        print(f"  {old} → {new} ({len(words)}): {listing(words, everything)}")


if __name__ == "__main__":
    main()

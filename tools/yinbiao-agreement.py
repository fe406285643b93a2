#!/usr/bin/env python3
"""How often data/yinbiao.tsv agrees with a dictionary's British transcriptions.

    tools/yinbiao-agreement.py REFERENCE.tsv...   (word, meaning, transcription per line)

Reports only: the reference never writes or corrects ours. Sounds agree when both read
the same after the notations are brought together (stress and syllable marks dropped,
syllabic n and l written alike); the stressed vowel is the first vowel after the main mark.
"""
import re
import sys

VOWELS = ["iː", "ɑː", "ɔː", "uː", "ɜː", "eɪ", "aɪ", "ɔɪ", "əʊ", "aʊ", "ɪə", "eə", "ʊə",
          "ɪ", "e", "æ", "ʌ", "ɒ", "ʊ", "ə", "i", "u"]


def normalise(ipa):
    ipa = ipa.strip().strip("/[]").replace("'", "ˈ").replace(",", "ˌ").replace("ɡ", "g")
    ipa = ipa.replace("ɹ", "r")
    ipa = ipa.replace(":", "ː").replace("ɛ", "e").replace("ɝ", "ɜː").replace("ɚ", "ə")
    ipa = ipa.replace("əu", "əʊ").replace("au", "aʊ").replace("əː", "ɜː").replace("ɒɪ", "ɔɪ")
    ipa = ipa.replace("ʌɪ", "aɪ")  # the older Oxford notation of PRICE
    ipa = re.sub("i(?!ː)", "ɪ", ipa)  # editions differ on the short i
    ipa = re.sub("u(?!ː)", "ʊ", ipa)  # and on the short u (actual /ˈæktʃuəl/, /ˈæktʃʊəl/)
    ipa = re.sub("ɔ(?![ːɪ])", "ɒ", ipa)  # the older notation's short o
    return ipa


def alternatives(ipa):
    """An optional sound in brackets, as written with it and without it."""
    if "(" not in ipa:
        return [ipa]
    return [re.sub("[()]", "", ipa), re.sub("\\([^)]*\\)", "", ipa)]


def sounds(ipa):
    s = re.sub("[ˈˌ.·\\- ]", "", normalise(ipa))
    s = re.sub("[iɪ]$", "ɪ", s)  # happy's final vowel, written either way
    s = re.sub("uː(?=[ɪeæʌɒʊəiuaɔɜ])", "ʊ", s)  # a short u before a vowel
    return re.sub("ə([nlm])(?![ɪeæʌɒʊəiuaɔɜ])", "\\1", s)  # syllabic n, l, m


def stressed_vowel(ipa):
    ipa = normalise(ipa)
    at = ipa.find("ˈ")
    rest = ipa[at + 1:] if at >= 0 else ipa
    for i in range(len(rest)):
        for v in VOWELS:
            if rest.startswith(v, i):
                return v
    return ""


def main():
    ours = dict(line.rstrip("\n").split("\t")[:2] for line in open("data/yinbiao.tsv", encoding="utf-8"))
    reference = {}
    for path in sys.argv[1:]:
        for line in open(path, encoding="utf-8"):
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 3 and fields[2].strip():
                # ";" or ", " between transcriptions; a bare "," is a secondary stress
                reference.setdefault(fields[0], [a for r in re.split("[;；]|, ", fields[2])
                                                 for a in alternatives(r)])
    both = [w for w in ours if w in reference]
    same = sum(any(sounds(ours[w]) == sounds(r) for r in reference[w]) for w in both)
    vowel = sum(any(stressed_vowel(ours[w]) == stressed_vowel(r) for r in reference[w]) for w in both)
    print(f"words in both: {len(both)}")
    print(f"sounds agree: {same} ({100 * same / len(both):.1f} %)")
    print(f"stressed vowel agrees: {vowel} ({100 * vowel / len(both):.1f} %)")


if __name__ == "__main__":
    main()

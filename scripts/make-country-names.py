#!/usr/bin/env python3
"""Writes the table of Japanese country names that the world-data window shows.

Reads Debian's iso-codes package: the ISO 3166-1 entries (numeric code,
English name) and their Japanese translations, and prints one line per
country, sorted by numeric code:

    numeric<TAB>Japanese name<TAB>English name

An entry without a Japanese translation keeps its English name. The output
is data/names/iso3166-ja.tsv; the tests check that the committed file equals
this script's output when iso-codes is installed.

Usage: scripts/make-country-names.py [ISO_JSON] [JA_MO] > data/names/iso3166-ja.tsv
"""
import gettext
import json
import sys

ISO_JSON = "/usr/share/iso-codes/json/iso_3166-1.json"
JA_MO = "/usr/share/locale/ja/LC_MESSAGES/iso_3166-1.mo"


def clean(text):
    # One field of a tab-separated line: no tabs or line breaks inside.
    return " ".join(text.split())


def main(argv):
    iso_json = argv[1] if len(argv) > 1 else ISO_JSON
    ja_mo = argv[2] if len(argv) > 2 else JA_MO
    with open(iso_json, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    with open(ja_mo, "rb") as f:
        japanese = gettext.GNUTranslations(f)
    rows = []
    for entry in entries:
        english = entry["name"]
        rows.append((int(entry["numeric"]), clean(japanese.gettext(english)), clean(english)))
    rows.sort()
    out = sys.stdout
    out.reconfigure(encoding="utf-8", newline="\n")
    for code, ja, en in rows:
        out.write(f"{code}\t{ja}\t{en}\n")


if __name__ == "__main__":
    main(sys.argv)

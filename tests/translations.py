#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a translation leaves a text of the program untranslated:
    translations.py LUPDATE SOURCE_DIR FOLDER...
Each translations/marrowby_<language>.ts is brought up to date with the sources (in a
copy) and must then translate every text, keep its placeholders and its access key; each
help/Marrowby.<language>.hlp must have every topic of the English help, translated."""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True

PLACEHOLDER = re.compile(r"%(?:\d+|n)")


def untranslated(ts_path):
    """(context, source, why) for every text the translation does not carry whole."""
    faults = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            forms = [] if translation is None else (
                [f.text or "" for f in translation.iter("numerusform")]
                if message.get("numerus") == "yes" else [translation.text or ""])
            if translation is None or translation.get("type") in ("unfinished", "vanished",
                                                                    "obsolete"):
                faults.append((name, source, "not translated"))
            elif not forms or not all(form.strip() for form in forms):
                faults.append((name, source, "empty"))
            else:
                for form in forms:
                    if sorted(set(PLACEHOLDER.findall(form))) != sorted(
                            set(PLACEHOLDER.findall(source))):
                        faults.append((name, source, f"placeholders differ in {form!r}"))
                    if ("&" in source.replace("&&", "")) != ("&" in form.replace("&&", "")):
                        faults.append((name, source, f"access key lost or added in {form!r}"))
    return faults


def topics(path):
    """{number: (title, body)} of a help file."""
    found, number = {}, None
    with open(path, encoding="utf-8") as help_file:
        for line in help_file:
            match = re.match(r"@topic (\d+) (.*)", line)
            if match:
                number = int(match.group(1))
                found[number] = [match.group(2).strip(), ""]
            elif number is not None and not line.startswith("@"):
                found[number][1] += line
    return {n: (title, body.strip()) for n, (title, body) in found.items()}


def help_faults(english_path, translated_path):
    english, translated = topics(english_path), topics(translated_path)
    faults = [f"topic {n} is missing" for n in sorted(english.keys() - translated.keys())]
    faults += [f"topic {n} is not in the English help" for n in
               sorted(translated.keys() - english.keys())]
    for n in sorted(english.keys() & translated.keys()):
        if english[n][1] == translated[n][1]:
            faults.append(f"topic {n} ({english[n][0]}) is still in English")
        links = lambda body: sorted(re.findall(r'href="help:(\d+)"', body))  # noqa: E731
        if links(english[n][1]) != links(translated[n][1]):
            faults.append(f"topic {n} links to other topics than the English one")
    return faults


def main():
    lupdate, source_dir, *folders = sys.argv[1:]
    faults = []
    with tempfile.TemporaryDirectory(prefix="marrowby-ts-") as tmp:
        for ts in sorted(glob.glob(os.path.join(source_dir, "translations", "marrowby_*.ts"))):
            current = os.path.join(tmp, os.path.basename(ts))
            shutil.copy(ts, current)
            done = subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                                   "-I", source_dir, *folders, "-ts", current],
                                  capture_output=True, text=True, timeout=300)
            if done.returncode != 0:
                faults.append(f"{os.path.basename(ts)}: lupdate failed: {done.stderr}")
                continue
            faults += [f"{os.path.basename(ts)}: [{c}] {s!r}: {why}"
                       for c, s, why in untranslated(current)]
    english = os.path.join(source_dir, "help", "Marrowby.hlp")
    for help_file in sorted(glob.glob(os.path.join(source_dir, "help", "Marrowby.*.hlp"))):
        faults += [f"{os.path.basename(help_file)}: {f}" for f in help_faults(english, help_file)]
    if faults:
        print("\n".join(faults))
        print("Bring new texts into the translations with "
              "'cmake --build build --target update_translations', then translate them.")
        return 1
    print("every text and help topic is translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())

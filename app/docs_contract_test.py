#!/usr/bin/env python3
"""Holds the man page and the README to the defaults and bounds the tool
itself prints. cogwright-cli --help is built from the core's names
(lathe/defaults.h and the caps), so each value is read there and every
sentence of the documents that states it must state the same; the man
page's list of series must be `chart --list`'s, in its order.

Usage: docs_contract_test.py PATH/TO/cogwright-cli SOURCE_ROOT
Exit status: 0 when every document agrees, 1 otherwise (each disagreement named).
"""

import re
import subprocess
import sys

# Each fact: its name, the pattern that finds it in --help, and per document
# the patterns of every sentence that states it. Every pattern must match at
# least once and every match must give the values --help gives. Texts are
# compared with runs of blanks and line breaks as one blank, and the man
# page's "\-" as "-".
N = r"(\d+)"
FACTS = [
    ("ratio table tooth counts", rf"Default: {N} and {N}\.", {
        "man": [rf"tooth counts from {N} to {N},"],
        "README": [rf"gears, {N} to {N} teeth unless"],
    }),
    ("rows by default", rf"trains \(default {N}\) of your set", {
        "man": [rf"prints \({N}, at most \d+\)"],
        "README": [rf"\[--top {N}\]"],
    }),
    ("rows at most", rf"--top at most {N}", {
        "man": [rf"prints \(\d+, at most {N}\)"],
        "README": [rf"`--top` is at most {N}"],
    }),
    ("starts at most", rf"--starts at most {N}", {
        "man": [rf"number of starts \(at most {N}\)"],
        "README": [rf"`--starts` at most {N}"],
    }),
    ("drift length", rf"--length \(default {N} mm\)", {
        "man": [rf"drift is given for \({N}\)"],
        "README": [rf"\[--length {N}\]"],
    }),
    ("candidate gears by default", rf"\[--from {N} --to {N}\]", {
        "man": [rf"\({N} and {N} by default"],
        "README": [rf"\[--from {N} --to {N}\]"],
    }),
    ("candidates named", rf"the best {N} candidates", {
        "man": [rf"the {N} best tooth counts"],
        "README": [rf"# the {N} best gears to buy"],
    }),
    ("tooth counts", rf"--to\) from {N} to {N},", {
        "man": [rf"each from {N} to {N}\)"],
    }),
    ("tolerances", rf"\(default {N} for threads and worms, {N} for feeds", {
        "man": [rf"tolerance in percent: {N} for threads and worms and {N} for feeds"],
        "README": [rf"tolerance \({N} % for threads and worms, {N} % for feeds"],
    }),
    ("gearbox positions", rf"a gearbox of at most {N} positions", {
        "README": [rf"`gearbox` \| .*?, at most {N} positions \|", rf"a gearbox at most {N} positions"],
    }),
    ("profile size", rf"a profile file of at most {N} KiB", {
        "README": [rf"A profile file is read only up to {N} KiB", rf"profile file at most {N} KiB"],
    }),
    ("gear advice trials", rf"suggest at most {N} candidate gears", {
        "README": [rf"`suggest` at most {N} candidate gears"],
    }),
]

DOCUMENTS = {"man": "packaging/cogwright-cli.1.in", "README": "README.md"}


def flat(text):
    return re.sub(r"\s+", " ", text.replace("\\-", "-"))


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True, check=True).stdout


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    cli, root = argv[1], argv[2]
    help_text = flat(run(cli, "--help"))
    docs = {}
    for name, path in DOCUMENTS.items():
        with open(f"{root}/{path}", encoding="utf-8") as f:
            docs[name] = flat(f.read())
    failures = []
    checked = 0
    for fact, help_pattern, stated in FACTS:
        said = re.findall(help_pattern, help_text)
        if len(said) != 1:
            failures.append(f"{fact}: --help states it {len(said)} times, not once "
                            f"({help_pattern!r})")
            continue
        for doc, patterns in stated.items():
            for pattern in patterns:
                checked += 1
                found = re.findall(pattern, docs[doc])
                wrong = [value for value in found if value != said[0]]
                if not found:
                    failures.append(f"{fact}: {DOCUMENTS[doc]} no longer says it ({pattern!r})")
                elif wrong:
                    failures.append(f"{fact}: {DOCUMENTS[doc]} says {wrong[0]}, "
                                    f"--help says {said[0]} ({pattern!r})")

    # The series, in chart --list's order.
    listed = [line.split()[0] for line in run(cli, "chart", "--list").splitlines() if line]
    match = re.search(r"names the series: (.*?)\. ", docs["man"])
    named = re.split(r", | and ", match.group(1)) if match else []
    checked += 1
    if named != listed:
        failures.append(f"series: {DOCUMENTS['man']} names {named}, chart --list {listed}")

    for failure in failures:
        print("FAIL " + failure)
    print(f"docs_contract_test: {checked - len(failures)} of {checked} statements agree "
          "with --help and chart --list")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

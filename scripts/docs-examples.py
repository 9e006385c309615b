#!/usr/bin/env python3
"""Keeps the example outputs in the README and the guide equal to what the
programs print now.

An example is an indented block preceded by a marker comment naming the
command that prints it, with `build/bin/` standing for the build's programs:

    <!-- docs-example: build/bin/velmora-cli run ... -->

A line `...` in the block stands for any number of lines of the output; every
other line must be the program's line, in order, from the first to the last.

  scripts/docs-examples.py --check  [--bin build/bin]   exit 1 on any difference
  scripts/docs-examples.py --update [--bin build/bin]   rewrite the blocks
  scripts/docs-examples.py --self-test                  the matcher's own cases
"""
import argparse
import os
import re
import shlex
import subprocess
import sys
import tempfile

DOCUMENTS = ["README.md", "docs/guide.md"]
MARKER = re.compile(r"^<!-- docs-example: (.+) -->$")
INDENT = "    "
GAP = "..."


def examples(lines):
    """(marker line index, command, first and end index of its block)."""
    found = []
    for i, line in enumerate(lines):
        match = MARKER.match(line)
        if not match:
            continue
        start = i + 1
        while start < len(lines) and not lines[start].startswith(INDENT):
            start += 1
        end = start
        while end < len(lines) and lines[end].startswith(INDENT):
            end += 1
        found.append((i, match.group(1), start, end))
    return found


def matches(block, output):
    """Whether the output fits the block, `...` standing for any lines."""
    parts = [[]]
    for line in block:
        if line == GAP:
            parts.append([])
        else:
            parts[-1].append(line)
    if len(parts) == 1:
        return block == output
    head, tail, middle = parts[0], parts[-1], parts[1:-1]
    if len(head) + len(tail) > len(output):
        return False
    if output[:len(head)] != head or output[len(output) - len(tail):] != tail:
        return False
    rest = output[len(head):len(output) - len(tail)]
    at = 0
    for part in middle:
        while at + len(part) <= len(rest) and rest[at:at + len(part)] != part:
            at += 1
        if at + len(part) > len(rest):
            return False
        at += len(part)
    return True


def refreshed(block, output):
    """The block with its lines taken from the output, keeping its shape:
    as many lines before the first `...` and after the last one."""
    if GAP not in block:
        return list(output)
    head = block.index(GAP)
    tail_count = block[::-1].index(GAP)
    return output[:head] + [GAP] + (output[len(output) - tail_count:] if tail_count else [])


def run(command, bin_folder, work):
    words = [os.path.join(bin_folder, w[len("build/bin/"):]) if w.startswith("build/bin/") else w
             for w in shlex.split(command)]
    done = subprocess.run(words, cwd=work, capture_output=True, text=True, env=dict(os.environ, LC_ALL="C"))
    if done.returncode != 0:
        raise SystemExit(f"docs-examples: `{command}` failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout.splitlines()


def self_test():
    out = ["a", "b", "c", "d"]
    cases = [  # block, output, fits
        (["a", "b", "c", "d"], out, True),
        (["a", "b", "c"], out, False),  # a line the program prints more
        (["a", "...", "d"], out, True),
        (["a", "...", "c"], out, False),  # the last line must be the last
        (["b", "...", "d"], out, False),  # the first line must be the first
        (["a", "b", "c", "d", "...", "d"], out, False),  # no line is used twice
        (["a", "...", "c", "...", "d"], out, True),
        (["a", "...", "x", "...", "d"], out, False),
        (["0.33798960027275105"], ["0.3379896002727509"], False),
        (["...", "d"], out, True),
    ]
    failures = [c for c in cases if matches(c[0], c[1]) != c[2]]
    shapes = [  # block, output, refreshed
        (["x", "...", "y"], out, ["a", "...", "d"]),
        (["x", "y", "...", "z"], out, ["a", "b", "...", "d"]),
        (["x"], out, out),
    ]
    failures += [s for s in shapes if refreshed(s[0], s[1]) != s[2]]
    for failure in failures:
        print("self-test failed:", failure, file=sys.stderr)
    return 1 if failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--check", action="store_true")
    mode.add_argument("--update", action="store_true")
    mode.add_argument("--self-test", action="store_true")
    parser.add_argument("--bin", default="build/bin")
    parser.add_argument("--source", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    bin_folder = os.path.abspath(args.bin)
    stale = 0
    count = 0
    with tempfile.TemporaryDirectory() as work:
        for document in DOCUMENTS:
            path = os.path.join(args.source, document)
            with open(path, encoding="utf-8") as f:
                lines = f.read().split("\n")
            changed = False
            for marker, command, start, end in reversed(examples(lines)):
                count += 1
                block = [line[len(INDENT):] for line in lines[start:end]]
                output = run(command, bin_folder, work)
                if matches(block, output):
                    continue
                if args.update:
                    lines[start:end] = [INDENT + line for line in refreshed(block, output)]
                    changed = True
                else:
                    stale += 1
                    print(f"{document}:{start + 1}: the example differs from what `{command}` prints now; "
                          "scripts/docs-examples.py --update rewrites it", file=sys.stderr)
                    for line in output[:3]:
                        print("  now: " + line, file=sys.stderr)
            if changed:
                with open(path, "w", encoding="utf-8") as f:
                    f.write("\n".join(lines))
                print(f"updated {document}")
    if count == 0:
        print("docs-examples: no examples found", file=sys.stderr)
        return 1
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Mutation testing: how many small faults in src/ does the fast test suite catch?

Usage (from anywhere in the repository):
    python3 tests/mutate.py [--count N] [--seed S] [--list] [--build-dir DIR]

The script scans src/**/*.cpp and src/**/*.h for candidate sites of four
kinds of fault:
    comparison  a < b -> a >= b, <= <-> >, == <-> !=
    statement   a whole simple statement line -> ;
    constant    an integer literal n -> n + 1 (0 -> 1, 1 -> 0)
    operands    a - b -> b - a, && <-> ||
Comments, string and character literals, preprocessor lines and code under
#if (which this platform may not compile) are left alone. N mutants (default
60) are drawn with random.Random(S) (default seed 1996), taking the kinds in
turn and a site of that kind uniformly, so the same seed picks the same
mutants on the same sources. --list prints them and stops.

Otherwise each mutant is written into its file, the build directory (default
build-mut, configured on first use) is rebuilt incrementally and the fast
tests run. A mutant that does not compile is discarded; one is caught when a
test fails or times out. The original file is always written back. The run
ends with a summary line and exits 0.
"""
import argparse
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# Tests that take seconds each (leak and stress runs, valgrind, node, the
# install, large inputs): they stay out of the per-mutant run.
SLOW_TESTS = ("^(stress|stress\\.valgrind|compare\\.node|install\\.consumer|cli\\.large_source"
              "|cli\\.source_beyond_memory|cli\\.default_memory_bound|Budget\\.ScriptCallsInsideExpressions)$")
KINDS = ("comparison", "statement", "constant", "operands")
FLIP = {"<": ">=", ">=": "<", "<=": ">", ">": "<=", "==": "!=", "!=": "=="}
COMPARISON = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGICAL = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
OPERAND = r"(?:[A-Za-z_]\w*(?:(?:\.|->)[A-Za-z_]\w*)*(?:\(\))?|\d+)"
SUBTRACTION = re.compile(r"(?<![\w.>*&!~-])(%s) - (%s)(?![\w(\[.]|->)" % (OPERAND, OPERAND))
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?=[uUlL]*(?![\w.']))")
DECLARATION = re.compile(r"^(?:[A-Za-z_][\w:]*(?:<[^;]*>)?[\s*&]+)+~?[A-Za-z_]\w*\s*[=({\[;:]")
SPECIFIERS = {"virtual", "static", "const", "constexpr", "inline", "explicit", "extern", "using", "typedef",
              "friend", "struct", "class", "enum", "union", "template", "namespace", "operator", "static_assert",
              "case", "default", "else", "do", "goto", "public", "private", "protected"}


def mask(text):
    """The text with comments blanked and literals' contents replaced, keeping every column."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + "_" * (j - i - 2) + c)
        else:
            out.append(c)
            j = i + 1
        i = j
    return "".join(out)


def code_lines(path):
    """(number, masked line, line) for each line of code outside preprocessor lines and #if blocks."""
    text = path.read_bytes().decode()
    lines, originals = mask(text).split("\n"), text.split("\n")
    depth, guard, continued = 0, None, False
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        directive = stripped.startswith("#") or continued
        continued = directive and stripped.endswith("\\")
        if not directive:
            if depth == 0 and stripped:
                yield number, line, originals[number - 1]
            continue
        words = stripped.lstrip("#").split()
        word = words[0] if words else ""
        if word == "ifndef" and guard is None and len(words) > 1 and number < len(lines) and \
                lines[number].split()[:2] == ["#define", words[1]]:
            guard = words[1]  # the include guard opens no block of its own
        elif word.startswith("if"):
            depth += 1
        elif word == "endif" and depth > 0:
            depth -= 1


def sites(path):
    """Every candidate fault in one file: (kind, line number, column, old text, new text)."""
    found, previous = [], ";"
    for number, line, original in code_lines(path):
        stripped = line.strip()
        first = re.match(r"\w*", stripped).group()
        if first != "static_assert":
            for m in COMPARISON.finditer(line):
                found.append(("comparison", number, m.start(), m.group(), FLIP[m.group()]))
            for m in LOGICAL.finditer(line):
                found.append(("operands", number, m.start(), m.group(), "||" if m.group() == "&&" else "&&"))
            for m in SUBTRACTION.finditer(line):
                found.append(("operands", number, m.start(), m.group(), "%s - %s" % (m.group(2), m.group(1))))
            declaration = first in SPECIFIERS or DECLARATION.match(stripped)
            # Rows of data tables and enumerators hold numbers, not logic.
            table = re.match(r"\{.*\},?;?$|[A-Za-z_]\w* = -?\w+,?$", stripped)
            for m in ([] if table else INTEGER.finditer(line)):
                value = int(m.group(1))
                before, after = line[:m.start()].rstrip(), line[m.end():].lstrip()
                if (declaration and before.endswith("[")) or (before.endswith(":") and after.startswith(";")):
                    continue  # array sizes and bit-field widths
                if "virtual" in line and before.endswith("=") and value == 0:
                    continue  # pure virtual functions
                new = {0: 1, 1: 0}.get(value, value + 1)
                found.append(("constant", number, m.start(), m.group(1), str(new)))
            simple = (stripped.endswith(";") and previous[-1] in ";{}):" and not re.search(r"[{}]", stripped)
                      and re.match(r"[A-Za-z_*(]|\+\+|--", stripped) and not declaration
                      and not re.match(r"return\s*[^\s;]", stripped)
                      and stripped.count("(") == stripped.count(")") and stripped != ";")
            if simple:
                indent = len(line) - len(line.lstrip())
                found.append(("statement", number, indent, original[indent:indent + len(stripped)], ";"))
        previous = stripped
    return found


def choose(count, seed):
    """count mutants drawn with random.Random(seed): the kinds in turn, a site of each uniformly."""
    files = sorted(p for p in (ROOT / "src").rglob("*") if p.suffix in (".cpp", ".h"))
    # A file that includes the Windows headers outside #if is built on Windows only.
    files = [p for p in files if not re.search(r"^#include <windows\.h>", p.read_bytes().decode(), re.M)]
    pools = {kind: [] for kind in KINDS}
    for path in files:
        for site in sites(path):
            pools[site[0]].append((path.relative_to(ROOT).as_posix(),) + site)
    rng = random.Random(seed)
    for kind in KINDS:
        rng.shuffle(pools[kind])
    chosen, turn = [], 0
    while len(chosen) < count and any(pools.values()):
        pool = pools[KINDS[turn % len(KINDS)]]
        if pool:
            chosen.append(pool.pop())
        turn += 1
    # Mutants of one file follow each other, so that a build recompiles little.
    return sorted(chosen, key=lambda m: (m[0], m[2], m[3]))


def describe(mutant):
    name, kind, line, _, old, new = mutant
    old = old if len(old) <= 40 else old[:37] + "..."
    return "%s:%d %s %r -> %r" % (name, line, kind, old, new)


def apply(text, mutant):
    _, _, line, column, old, new = mutant
    lines = text.split("\n")
    target = lines[line - 1]
    assert target[column:column + len(old)] == old, describe(mutant)
    lines[line - 1] = target[:column] + new + target[column + len(old):]
    return "\n".join(lines)


def run(command, timeout):
    try:
        done = subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                              timeout=timeout)
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired:
        return -1, "timed out"


def build(build_dir):
    return run(["cmake", "--build", build_dir, "-j2"], 1800)


def test(build_dir):
    code, output = run(["ctest", "--test-dir", build_dir, "-j2", "--timeout", "20", "-E", SLOW_TESTS,
                        "--stop-on-failure"], 1800)
    failed = re.findall(r"^\s*\d+ - (\S+) \(", output, re.M)
    return code, failed[0] if failed else "(ctest %d)" % code


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=60, help="number of mutants (default 60)")
    parser.add_argument("--seed", type=int, default=1996, help="random seed (default 1996)")
    parser.add_argument("--list", action="store_true", help="print the chosen mutants without running them")
    parser.add_argument("--build-dir", default="build-mut", help="build directory (default build-mut)")
    args = parser.parse_args()
    mutants = choose(args.count, args.seed)
    if args.list:
        for number, mutant in enumerate(mutants, 1):
            print("%3d %s" % (number, describe(mutant)))
        return 0
    # A termination request unwinds like Ctrl-C, through the restoring finally.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    start = time.time()
    if not (ROOT / args.build_dir / "CMakeCache.txt").exists():
        run(["cmake", "-S", ".", "-B", args.build_dir, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DDURIZ_BENCH=OFF"], 600)
    if build(args.build_dir)[0] or test(args.build_dir)[0]:
        print("the unmutated sources do not build or pass the fast tests; nothing measured")
        return 1
    caught, broken, survivors = 0, 0, []
    for number, mutant in enumerate(mutants, 1):
        path = ROOT / mutant[0]
        original = path.read_bytes()
        began = time.time()
        try:
            path.write_bytes(apply(original.decode(), mutant).encode())
            code, output = build(args.build_dir)
            if code and "Error running test executable" in output:
                verdict = "caught (the unit tests' listing failed)"
            elif code:
                verdict = "did not compile"
            else:
                code, failed = test(args.build_dir)
                verdict = "caught by %s" % failed if code else "SURVIVED"
        finally:
            path.write_bytes(original)
        caught += verdict.startswith("caught")
        broken += verdict == "did not compile"
        if verdict == "SURVIVED":
            survivors.append(mutant)
        print("[%2d/%d] %-70s %s (%.0fs)" % (number, len(mutants), describe(mutant), verdict, time.time() - began),
              flush=True)
    build(args.build_dir)  # leave the build directory matching the sources
    counted = len(mutants) - broken
    print("survivors:" if survivors else "no survivors")
    for mutant in survivors:
        print("  " + describe(mutant))
    print("mutation score: %d/%d caught (%.0f%%), %d did not compile, seed %d" %
          (caught, counted, 100.0 * caught / max(counted, 1), broken, args.seed))
    print("time: %.1f min" % ((time.time() - start) / 60))
    return 0


if __name__ == "__main__":
    sys.exit(main())

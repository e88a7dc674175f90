#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Mutation check of the test suite.

Applies the mutants of one or more lists (scripts/mutants/*.txt) one at a time to the sources,
rebuilds only the test programs the list names, runs them through ctest and tells per mutant
whether the tests noticed:

  killed     a test program failed (or hung): the tests catch this fault
  survived   every test program passed: the tests miss this fault
  stillborn  the mutant does not compile
  bad        its original text is not found exactly once in its file (the list needs mending)

The kill rate is killed / (killed + survived). Mutants marked equivalent (they cannot change
what the program does) are run too, but listed apart and left out of the rate.

Every source file is written back as it was after each mutant, also on Ctrl+C or SIGTERM; a
copy of the original is kept in the build folder while a mutant is applied, so a run that was
killed outright is mended by the next one. At the end the touched test programs are rebuilt
from the restored sources.

List format (one mutant a line; blank lines and lines starting with '#' are ignored):

  targets test_nmea test_tools          test programs (ctest names) for the mutants below
  file src/nmea/DecodeFix.cpp           the file, relative to the repository, for those below
  m_nFixMode = Digit(f);  =>  m_nFixMode = 3;
  const int c = *p++;  =>  const int c = *p;   [equivalent: the reason]

The text left of " => " must occur exactly once in the file and is replaced by the text right
of it (both without their outer blanks; the right side may be empty, dropping the text).
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
SEPARATOR = re.compile(r"\s=>(?:\s|$)")
EQUIVALENT = re.compile(r"(?:^|\s+)\[equivalent:\s*(?P<why>[^\]]*)\]\s*$")
PENDING = "mutate-pending"  # in the build folder: originals of files with a mutant applied


class ListError(Exception):
    pass


@dataclass
class Mutant:
    list_name: str
    number: int  # position in its list, from 1
    line: int  # line in the list file
    path: str  # relative to the repository
    targets: tuple
    original: str
    replacement: str
    equivalent: str = ""  # the reason, when marked equivalent
    outcome: str = ""
    detail: str = ""
    seconds: float = 0.0


@dataclass
class ListResult:
    name: str
    mutants: list = field(default_factory=list)
    seconds: float = 0.0


def parse_list(path):
    """The mutants of a list file; raises ListError for a malformed line."""
    mutants = []
    targets = ()
    source = None
    name = os.path.basename(path)
    with open(path, encoding="utf-8") as f:
        for nLine, raw in enumerate(f, 1):
            text = raw.rstrip("\n")
            stripped = text.strip()
            if not stripped or stripped.startswith("#"):
                continue
            word, _, rest = stripped.partition(" ")
            if word == "targets" and not SEPARATOR.search(stripped):
                targets = tuple(rest.split())
                if not targets:
                    raise ListError(f"{path}:{nLine}: 'targets' names no test program")
                continue
            if word == "file" and not SEPARATOR.search(stripped):
                source = rest.strip()
                if not source:
                    raise ListError(f"{path}:{nLine}: 'file' names no file")
                continue
            parts = SEPARATOR.split(stripped)
            if len(parts) != 2:
                raise ListError(
                    f"{path}:{nLine}: expected 'ORIGINAL => REPLACEMENT' (one ' => ') or a "
                    f"'targets' or 'file' line"
                )
            if source is None or not targets:
                raise ListError(f"{path}:{nLine}: a mutant before its 'file' and 'targets' lines")
            original, replacement = parts[0].strip(), parts[1]
            equivalent = ""
            m = EQUIVALENT.search(replacement)
            if m:
                equivalent = m.group("why").strip() or "marked equivalent"
                replacement = replacement[: m.start()]
            replacement = replacement.strip()
            if not original:
                raise ListError(f"{path}:{nLine}: empty original text")
            if original == replacement:
                raise ListError(f"{path}:{nLine}: the mutant changes nothing")
            mutants.append(
                Mutant(name, len(mutants) + 1, nLine, source, targets, original, replacement,
                       equivalent)
            )
    return mutants


class Sources:
    """Applies mutants and always puts the files back; keeps a copy of each original in the
    build folder while a mutant is applied, for a run that could not clean up after itself."""

    def __init__(self, build):
        self.pending = Path(build) / PENDING
        self.applied = {}  # repository path -> original bytes

    def recover(self):
        """Restores files a killed earlier run left mutated; returns their paths."""
        restored = []
        if not self.pending.is_dir():
            return restored
        for copy in sorted(p for p in self.pending.rglob("*") if p.is_file()):
            rel = copy.relative_to(self.pending)
            target = REPO / rel
            data = copy.read_bytes()
            if not target.exists() or target.read_bytes() != data:
                target.write_bytes(data)
                restored.append(str(rel))
            copy.unlink()
        shutil.rmtree(self.pending, ignore_errors=True)
        return restored

    def apply(self, mutant):
        """Writes the mutant into its file; returns None, or why it cannot be applied."""
        target = REPO / mutant.path
        if not target.is_file():
            return f"no file {mutant.path}"
        data = target.read_bytes()
        text = data.decode("utf-8")
        count = text.count(mutant.original)
        if count != 1:
            return f"original found {count} times"
        copy = self.pending / mutant.path
        copy.parent.mkdir(parents=True, exist_ok=True)
        copy.write_bytes(data)
        self.applied[mutant.path] = data
        target.write_bytes(text.replace(mutant.original, mutant.replacement, 1).encode("utf-8"))
        return None

    def restore(self):
        for rel, data in list(self.applied.items()):
            (REPO / rel).write_bytes(data)
            (self.pending / rel).unlink(missing_ok=True)
            del self.applied[rel]


def line_of(mutant):
    """The line of the file where the original starts (for the report)."""
    try:
        text = (REPO / mutant.path).read_text(encoding="utf-8")
    except OSError:
        return 0
    at = text.find(mutant.original)
    return text.count("\n", 0, at) + 1 if at >= 0 else 0


def build(build_dir, targets):
    """(succeeded, output) of building the targets."""
    r = subprocess.run(
        ["cmake", "--build", str(build_dir), "--target", *targets],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace",
    )
    return r.returncode == 0, r.stdout


def run_tests(build_dir, targets, timeout):
    """(passed, names of the failed programs) of running the targets' tests.

    ctest's --timeout only applies to tests without a TIMEOUT property, so a hung program is
    also stopped here, with its whole process group, once the run takes longer than every
    program's timeout together."""
    regex = "^(" + "|".join(re.escape(t) for t in targets) + ")$"
    cmd = ["ctest", "--test-dir", str(build_dir), "-R", regex, "--timeout", str(timeout),
           "--no-tests=error"]
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout * len(targets) + 30)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return False, ["timeout"]
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        raise
    if proc.returncode == 0:
        return True, []
    failed = re.findall(r"^\s*\d+ - (\S+) \(", out, re.M)
    return False, failed or [f"ctest status {proc.returncode}"]


def short(text, width=60):
    text = " ".join(text.split())
    return text if len(text) <= width else text[: width - 3] + "..."


def change(original, replacement, context=20):
    """The mutant as its changed part in braces within some of its context:
    "...nMessages > {8 => 9} || !body.Field(1, f))"."""
    n = min(len(original), len(replacement))
    p = 0
    while p < n and original[p] == replacement[p]:
        p += 1
    q = 0
    while q < n - p and original[-1 - q] == replacement[-1 - q]:
        q += 1
    before = original[:p]
    after = original[len(original) - q:]
    if len(before) > context:
        before = "..." + before[-context:]
    if len(after) > context:
        after = after[:context] + "..."
    old = short(original[p:len(original) - q], 50)
    new = short(replacement[p:len(replacement) - q], 50)
    return f"{before}{{{old} => {new}}}{after}"


def first_error(output):
    for line in output.splitlines():
        if "error:" in line:
            return short(line.split("error:", 1)[1].strip(), 70)
    return ""


def rate(killed, survived):
    total = killed + survived
    return f"{100.0 * killed / total:.1f} %" if total else "n/a"


def summarise(results):
    print()
    print(f"{'list':<14} {'killed':>6} {'survived':>8} {'stillborn':>9} {'bad':>4} "
          f"{'equivalent':>10} {'kill rate':>9} {'time':>8}")
    for res in results:
        count = {k: 0 for k in ("killed", "survived", "stillborn", "bad", "equivalent")}
        for m in res.mutants:
            if m.outcome in count:
                count[m.outcome] += 1
        print(f"{res.name:<14} {count['killed']:>6} {count['survived']:>8} "
              f"{count['stillborn']:>9} {count['bad']:>4} {count['equivalent']:>10} "
              f"{rate(count['killed'], count['survived']):>9} {res.seconds:>7.0f}s")
    for title, outcome in (("Survivors", "survived"), ("Equivalent (not counted)", "equivalent"),
                           ("Bad (mend the list)", "bad")):
        chosen = [m for res in results for m in res.mutants if m.outcome == outcome]
        if not chosen:
            continue
        print(f"\n{title}:")
        for m in chosen:
            print(f"  {m.list_name}#{m.number} {m.path}: {change(m.original, m.replacement)}")
            if m.equivalent:
                print(f"      {m.equivalent}")
            elif m.detail:
                print(f"      {m.detail}")


def main():
    parser = argparse.ArgumentParser(
        description="Mutation check: applies each mutant of the lists, rebuilds and runs the "
        "test programs the list names, and reports which mutants the tests kill.",
        epilog="List format: see the top of this script or the README. Example: "
        "scripts/mutate.py --build build scripts/mutants/nmea.txt",
    )
    parser.add_argument("lists", nargs="+", metavar="LIST", help="mutant list files")
    parser.add_argument("--build", default=str(REPO / "build"), metavar="DIR",
                        help="configured build folder with tests on (default: build)")
    parser.add_argument("--only", metavar="N,M", help="run only these mutants (numbers within "
                        "each list, from 1)")
    parser.add_argument("--timeout", type=int, default=120, metavar="SECONDS",
                        help="time a test program may take before it counts as hung "
                        "(default 120)")
    parser.add_argument("--check", action="store_true",
                        help="only check that every mutant applies; build and run nothing")
    args = parser.parse_args()

    only = None
    if args.only:
        try:
            only = {int(n) for n in args.only.split(",") if n.strip()}
        except ValueError:
            parser.error(f"--only takes numbers separated by commas, not {args.only!r}")

    results = []
    for path in args.lists:
        if not os.path.isfile(path):
            parser.error(f"no list file {path}")
        try:
            mutants = parse_list(path)
        except (ListError, UnicodeDecodeError) as e:
            print(f"mutate.py: {e}", file=sys.stderr)
            return 2
        if only is not None:
            mutants = [m for m in mutants if m.number in only]
        results.append(ListResult(os.path.basename(path), mutants))

    build_dir = Path(args.build)
    sources = Sources(build_dir)
    if args.check:
        bad = 0
        for res in results:
            for m in res.mutants:
                text = (REPO / m.path).read_text(encoding="utf-8") if (REPO / m.path).is_file() \
                    else None
                count = text.count(m.original) if text is not None else -1
                if count != 1:
                    bad += 1
                    why = f"no file {m.path}" if count < 0 else f"original found {count} times"
                    print(f"bad {m.list_name}#{m.number} (line {m.line}): {why}")
            print(f"{res.name}: {len(res.mutants)} mutant{'' if len(res.mutants) == 1 else 's'}")
        return 1 if bad else 0

    if not (build_dir / "CMakeCache.txt").is_file():
        print(f"mutate.py: {build_dir} is not a configured build folder; configure one first:\n"
              f"  cmake -S . -B {build_dir} -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo",
              file=sys.stderr)
        return 2
    for rel in sources.recover():
        print(f"restored {rel}, left mutated by an interrupted run")

    # SIGTERM unwinds like Ctrl+C, so the finally blocks put the sources back.
    def terminate(signum, frame):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, terminate)

    all_targets = sorted({t for res in results for m in res.mutants for t in m.targets})
    touched = set()
    status = 0
    started = time.monotonic()
    try:
        if all_targets:
            print(f"baseline: building and testing {' '.join(all_targets)} unchanged")
            ok, out = build(build_dir, all_targets)
            if not ok:
                print(out[-4000:])
                print("mutate.py: the unchanged sources do not build", file=sys.stderr)
                return 1
            t0 = time.monotonic()
            passed, failed = run_tests(build_dir, all_targets, args.timeout)
            if not passed:
                print(f"mutate.py: the unchanged sources fail {', '.join(failed)}; every mutant "
                      f"would count as killed", file=sys.stderr)
                return 1
            print(f"baseline: tests pass in {time.monotonic() - t0:.1f} s")
        total = sum(len(res.mutants) for res in results)
        done = 0
        for res in results:
            list_started = time.monotonic()
            for m in res.mutants:
                done += 1
                t0 = time.monotonic()
                line = line_of(m)
                try:
                    problem = sources.apply(m)
                    if problem:
                        m.outcome, m.detail = "bad", problem
                    else:
                        touched.update(m.targets)
                        ok, out = build(build_dir, m.targets)
                        if not ok:
                            m.outcome, m.detail = "stillborn", first_error(out)
                        elif "no work to do" in out:
                            # Never seen, but a survivor that was never built would lie.
                            m.outcome, m.detail = "bad", "the build did not see the change"
                        else:
                            passed, failed = run_tests(build_dir, m.targets, args.timeout)
                            if passed:
                                m.outcome = "equivalent" if m.equivalent else "survived"
                            else:
                                m.outcome, m.detail = "killed", "by " + ", ".join(failed)
                                if m.equivalent:
                                    m.detail += " (marked equivalent: the mark is wrong)"
                finally:
                    sources.restore()
                m.seconds = time.monotonic() - t0
                where = f"{m.path}:{line}" if line else m.path
                print(f"[{done:>3}/{total}] {m.outcome:<10} #{m.number:<3} {where}  "
                      f"{change(m.original, m.replacement)}  "
                      f"({m.detail + ', ' if m.detail else ''}{m.seconds:.0f} s)", flush=True)
            res.seconds = time.monotonic() - list_started
    except KeyboardInterrupt:
        print("\ninterrupted: sources restored", file=sys.stderr)
        status = 130
    finally:
        sources.restore()
        if touched:
            print(f"rebuilding {' '.join(sorted(touched))} from the restored sources")
            try:
                ok, out = build(build_dir, sorted(touched))
            except KeyboardInterrupt:
                ok, out = False, "interrupted"
            if not ok:
                print(out[-4000:])
                print("mutate.py: the rebuild failed", file=sys.stderr)
                status = status or 1
    summarise(results)
    print(f"\nwall time {time.monotonic() - started:.0f} s")
    if any(m.outcome == "bad" for res in results for m in res.mutants):
        status = status or 1
    return status


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The arm64 console against this machine's: the same questions asked of both,
the arm64 one under qemu-user, over 100 dates at three places and a year of
phases and seasons. Every time must agree to the second and every other word
of the answers be the same.

    tools/check-arm64.py NATIVE_BUILD ARM64_BUILD
"""
import os
import re
import subprocess
import sys
import tempfile

QUESTIONS = [
    ["range", "2026-01-01", "2026-04-10", "--place", "Oslo"],
    ["range", "2026-05-01", "2026-08-08", "--place", "Tromsø", "--altitude", "golden_hour"],
    ["range", "2026-09-01", "2026-12-09", "--place", "Sydney", "--format", "csv"],
    ["phases", "2026-01-01", "2026-12-31", "--place", "Quito", "--seasons", "--format", "json"],
    ["day", "2026-12-08", "--place", "Havana", "--format", "json"],
]
CLOCK = re.compile(r"(\d{2}):(\d{2}):(\d{2})")


def seconds(match):
    hours, minutes, secs = (int(part) for part in match.groups())
    return hours * 3600 + minutes * 60 + secs


def agree(native, arm64):
    """Whether two answers agree: the same words between the clock readings,
    and each reading within a second of the other's."""
    if CLOCK.sub("T", native) != CLOCK.sub("T", arm64):
        return False
    pairs = zip(CLOCK.finditer(native), CLOCK.finditer(arm64))
    gaps = (abs(seconds(a) - seconds(b)) for a, b in pairs)
    return all(min(gap, 86400 - gap) <= 1 for gap in gaps)  # 23:59:59 is a second from 00:00:00


def main(native_build, arm64_build):
    environment = dict(os.environ, TZ="UTC", XDG_CONFIG_HOME=tempfile.mkdtemp())
    environment["HELUNE_GAZETTEER"] = os.path.join(arm64_build, "cli", "helune-places.tsv")
    native = os.path.join(native_build, "cli", "helune-cli")
    arm64 = ["qemu-aarch64", os.path.join(arm64_build, "cli", "helune-cli")]
    failures = 0
    for question in QUESTIONS:
        answers = [subprocess.run(program + question, env=environment, capture_output=True, text=True, check=True).stdout
                   for program in ([native], arm64)]
        lines = [answer.splitlines() for answer in answers]
        differing = [(a, b) for a, b in zip(*lines) if not agree(a, b)]
        ok = len(lines[0]) == len(lines[1]) and not differing
        print(f"{'same' if ok else 'DIFFERENT'}: {' '.join(question)} ({len(lines[0])} lines)")
        for a, b in differing[:5]:
            print(f"  {native}: {a}\n  arm64: {b}")
        failures += not ok
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))

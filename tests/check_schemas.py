#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Every command's JSON against the schema committed for it, and the manual's
FORMATS section against the keys that actually appear.

    tests/check_schemas.py HELUNE_CLI SCHEMA_FOLDER MANUAL_PAGE
"""
import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile

from jsonschema import Draft202012Validator

cli, schema_folder, manual_page = sys.argv[1:4]

MADRID = ["--lat", "40.4168", "--lon", "-3.7038", "--tz", "Europe/Madrid"]
TROMSO = ["--lat", "69.6492", "--lon", "18.9553", "--tz", "Europe/Oslo"]
AT = ["--at", "2026-06-21T21:30"]
# Each command, as scripts ask it: plain, at the poles' edge, with what --altitude asks.
CASES = [
    ("day", ["day", "2026-03-29", *MADRID]),
    ("day", ["day", "2026-06-21", *TROMSO, "--altitude", "golden_hour", "--altitude", "blue_hour"]),
    ("day", ["day", "2026-12-21", *TROMSO, "--altitude", "6", "--altitude", "-2,3"]),
    ("day", ["day", "2026-12-21", "--place", "Oslo", "--as-window"]),
    ("day", ["day", "2026-10-25", "--lat", "1", "--lon", "2", "--utc-offset", "+05:30"]),
    ("range", ["range", "2026-03-28", "2026-03-30", *MADRID, "--altitude", "golden_hour"]),
    ("range", ["range", "2026-03-28", "2026-03-30", *MADRID, "--columns", "sunrise,moon"]),
    ("phases", ["phases", "2026-01-01", "2026-03-31", *MADRID, "--seasons"]),
    ("seasons", ["seasons", "2026-01-01", "2026-12-31", "--utc-offset", "+00:00"]),
    ("now", ["now", *MADRID, *AT]),
    ("now", ["now", *TROMSO, *AT]),
    ("next", ["next", "sunrise", "--count", "2", *MADRID, *AT]),
    ("next", ["next", "golden_hour", "--count", "3", *MADRID, *AT]),
    ("next", ["next", "full_moon", *MADRID, *AT]),
    ("poll", ["poll", *MADRID, *AT]),
    ("poll", ["poll", "golden_hour", *MADRID, *AT]),
    ("poll", ["poll", "--altitude", "6", *MADRID, *AT]),
    ("place", ["place", "show", "--place", "Portland, Oregon", "--elevation", "15"]),
    ("place", ["place", "set", "--coords", "59.9139, 10.7522", "--tz", "Europe/Oslo"]),
    ("place", ["place", "forget"]),
]


def load_schemas(folder):
    store = {}
    for path in sorted(pathlib.Path(folder).glob("*.schema.json")):
        schema = json.loads(path.read_text())
        Draft202012Validator.check_schema(schema)
        store[path.name] = schema
    return store


def validators(store):
    """A validator for each command's schema, its references resolved among the committed files."""
    by_id = {schema["$id"]: schema for schema in store.values()}
    try:
        from referencing import Registry, Resource

        registry = Registry().with_resources((i, Resource.from_contents(s)) for i, s in by_id.items())
        make = lambda schema: Draft202012Validator(schema, registry=registry)
    except ImportError:  # jsonschema before 4.18
        from jsonschema import RefResolver

        make = lambda schema: Draft202012Validator(schema, resolver=RefResolver.from_schema(schema, store=by_id))
    return {name.split(".")[0]: make(schema) for name, schema in store.items()}


def keys_of(value, found):
    if isinstance(value, dict):
        for key, member in value.items():
            found.add(key)
            keys_of(member, found)
    elif isinstance(value, list):
        for member in value:
            keys_of(member, found)
    return found


def formats_section(path):
    """The manual's FORMATS section: its text, and the keys its KEYS and EVENTS subsections list."""
    text = pathlib.Path(path).read_text().replace("\\-", "-").replace("\\&", "")
    section = text.split(".SH FORMATS\n", 1)[1].split("\n.SH ", 1)[0]
    listed = section.split(".SS KEYS\n", 1)[1].split(".SS REASONS\n", 1)[0]
    tags = re.findall(r"^\.B (.+)$", listed, re.M)
    names = [name.strip() for tag in tags for name in tag.split(",")]
    return section, names


def main():
    check = validators(load_schemas(schema_folder))
    failures = []
    seen = set()
    # A store of this run's own, which place set and forget write.
    store = tempfile.mkdtemp()
    environment = dict(os.environ, TZ="Europe/Madrid", XDG_CONFIG_HOME=store)
    for command, args in CASES:
        run = subprocess.run([cli, *args, "--format", "json"], capture_output=True, text=True, env=environment)
        if run.returncode not in (0, 1, 2, 3, 4):
            failures.append(f"{' '.join(args)}: status {run.returncode}: {run.stderr.strip()}")
            continue
        document = json.loads(run.stdout)
        for error in check[command].iter_errors(document):
            failures.append(f"{' '.join(args)}: {error.json_path}: {error.message}")
        keys_of(document, seen)

    section, names = formats_section(manual_page)
    # Keys made of an altitude are listed with A, LOW and HIGH standing for it.
    altitude = re.compile(r"(?<=_)(A|LOW|HIGH)(?=_|$)")
    patterns = [re.compile("^" + altitude.sub("[-+][0-9.]+", n) + "$") for n in names if altitude.search(n)]
    plain = {n for n in names if not altitude.search(n)}
    for key in sorted(seen):
        documented = key in plain or any(p.match(key) for p in patterns) or re.search(rf"\b{re.escape(key)}\b", section)
        if not documented:
            failures.append(f"the key {key} appears but FORMATS does not say what it is")
    for name in sorted(plain - seen):
        failures.append(f"FORMATS lists {name}, which no document holds")
    for pattern in patterns:
        if not any(pattern.match(key) for key in seen):
            failures.append(f"FORMATS lists {pattern.pattern}, which no document holds")

    for failure in failures:
        print(failure, file=sys.stderr)
    print(f"{len(CASES)} documents, {len(seen)} keys, {len(plain) + len(patterns)} documented: {len(failures)} failures")
    return 1 if failures else 0


sys.exit(main())

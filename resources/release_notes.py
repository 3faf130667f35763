#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The software centre's release notes from CHANGELOG.md, its one source.

Prints an AppStream <release> for every dated section ("## 0.3.0 — 2026-12-08"),
newest first: a line that ends in a colon or stands alone becomes a paragraph,
the "- " lines under it a list. Code marks are dropped; text is escaped.

    release_notes.py CHANGELOG.md
"""
import html
import re
import sys

HEADING = re.compile(r"^## (\S+) — (\d{4}-\d{2}-\d{2})\s*$")


def text(markdown):
    return html.escape(markdown.replace("`", "").strip(), quote=False)


def releases(lines):
    out, items = [], []

    def close_list():
        if items:
            out.append("        <ul>")
            out.extend(f"          <li>{item}</li>" for item in items)
            out.append("        </ul>")
            items.clear()

    open_release = False
    for line in lines:
        heading = HEADING.match(line)
        if heading or line.startswith("## "):
            close_list()
            if open_release:
                out += ["      </description>", "    </release>"]
            open_release = bool(heading)
            if heading:
                out += [f'    <release version="{heading[1]}" date="{heading[2]}">', "      <description>"]
        elif not open_release or not line.strip():
            continue
        elif line.startswith("- "):
            items.append(text(line[2:]))
        else:
            close_list()
            out.append(f"        <p>{text(line)}</p>")
    close_list()
    if open_release:
        out += ["      </description>", "    </release>"]
    return "\n".join(out)


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as changelog:
        print(releases(changelog.read().splitlines()))

#!/usr/bin/env python3
"""Writes the Debian package's documents from the project's own texts.

  package-docs.py manual VERSION CHANGELOG.md < help.txt > lumenvale.6
      the manual page lumenvale(6), made from `lumenvale --help`: its usage line, its paragraphs
      and each heading's table ("Options:", "Keys while the film plays:") as a section
  package-docs.py changelog VERSION MAINTAINER CHANGELOG.md > changelog
      the Debian changelog of VERSION, made from its section of CHANGELOG.md

Either fails when CHANGELOG.md has no section for VERSION: the version lives in CMakeLists.txt,
and the package does not go out with a changelog that does not name it.
"""
import datetime
import re
import sys
import textwrap

SUMMARY = "short film of islands in a sea, rendered live in OpenGL"


def release_date(changelog, version):
    match = re.search(r"^## \[" + re.escape(version) + r"\] - (\d{4}-\d{2}-\d{2})$", changelog,
                      re.MULTILINE)
    if not match:
        sys.exit(f"package-docs: CHANGELOG.md has no section '## [{version}] - YYYY-MM-DD'")
    return datetime.date.fromisoformat(match.group(1)), match.end()


def roff(text):
    """Text as roff: backslashes kept, a dash that starts a word an option's minus sign."""
    text = text.replace("\\", "\\e")
    text = re.sub(r"(?<![\w-])-|(?<=\\-)-", r"\\-", text)
    return "\\&" + text if text[:1] in (".", "'") else text


def manual(version, date, help_text):
    lines = help_text.splitlines()
    usage = lines[0].removeprefix("usage: lumenvale").strip()
    out = [f'.TH LUMENVALE 6 "{date.isoformat()}" "lumenvale {version}" "Games"',
           ".SH NAME", f"lumenvale \\- {SUMMARY}",
           ".SH SYNOPSIS", ".B lumenvale", roff(usage), ".SH DESCRIPTION"]
    for line in lines[1:]:
        entry = re.match(r"^  (\S.*?)\s{2,}(\S.*)$", line)
        if not line.strip():
            continue
        if line.endswith(":") and not line.startswith(" "):
            out.append(".SH " + roff(line[:-1].upper()))
        elif entry:
            out += [".TP", ".B " + roff(entry.group(1)), roff(entry.group(2))]
        elif line.startswith("   "):
            out.append(roff(line.strip()))
        else:
            out += [".PP", roff(line.strip())]
    out += [".SH FILES", ".TP", ".I /usr/share/lumenvale",
            "the film's shaders, models, textures and music; the player runs there",
            ".SH SEE ALSO", "/usr/share/doc/lumenvale/changelog.gz"]
    return "\n".join(out) + "\n"


def debian_changelog(version, maintainer, date, changelog, section_end):
    following = changelog.find("\n## ", section_end)
    section = changelog[section_end:following if following >= 0 else len(changelog)]
    body = []
    for block in re.split(r"\n(?=### |- )", section.strip()):
        text = " ".join(block.split()).replace("`", "")
        if text.startswith("### "):
            body += ["", f"  [ {text[4:]} ]"]
        elif text.startswith("- "):
            body += textwrap.wrap(text[2:], 78, initial_indent="  * ", subsequent_indent="    ")
    stamp = datetime.datetime.combine(date, datetime.time(), datetime.timezone.utc)
    return "\n".join([f"lumenvale ({version}) stable; urgency=medium", *body, "",
                      f" -- {maintainer}  {stamp.strftime('%a, %d %b %Y %H:%M:%S %z')}", ""])


def main():
    command, version, changelog_path = sys.argv[1], sys.argv[2], sys.argv[-1]
    with open(changelog_path, encoding="utf-8") as file:
        changelog = file.read()
    date, section_end = release_date(changelog, version)
    if command == "manual" and len(sys.argv) == 4:
        sys.stdout.write(manual(version, date, sys.stdin.read()))
    elif command == "changelog" and len(sys.argv) == 5:
        sys.stdout.write(debian_changelog(version, sys.argv[3], date, changelog, section_end))
    else:
        sys.exit(__doc__)


main()

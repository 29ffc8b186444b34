#!/usr/bin/env python3
"""Checks the manual's pages against themselves and their examples against the program.

    check_manual.py [--calc QUARNIS_CALC --work SCRATCH] PAGES_DIR

The pages: every tag is closed, in order; each page has one <h1> and links to every other
page; every link names a page of the manual and an anchor that exist on it (the help window
opens nothing else); manual.qrc lists exactly the pages and the style sheet.

The examples, with --calc, read from the pages' own HTML and run through the built
quarnis-calc. Two kinds:

    <pre class="example">$ quarnis-calc -d 2 -- -2.5+1 2/3
    -1.5
    0.67</pre>
        A terminal transcript. Each line that begins with "$ " is a command, run by sh in an
        empty scratch folder with the built quarnis-calc first on PATH; the lines after it, up
        to the next "$ ", are everything it must print, standard error included, in order.

    <table class="examples"> ... <tr><td>FORMULA</td><td>RESULT</td>...</tr> ... </table>
        A formula and the text EXEC shows for it unrounded (quarnis-calc -- FORMULA); rows of
        <th> are headings, cells after the second are comments.

Each mismatch is named with its page, line and example; the exit status is 1 if any.
"""

import argparse
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from html.parser import HTMLParser

VOID = {"meta", "link", "br", "hr", "img"}


class Page(HTMLParser):
    def __init__(self, name):
        super().__init__(convert_charrefs=True)
        self.name = name
        self.problems = []
        self.open = []  # (tag, line)
        self.headings = []
        self.anchors = set()
        self.links = []  # (href, line)
        self.transcripts = []  # (line, text)
        self.tables = []  # [(line, [cell texts])] per table
        self._text = None  # text being gathered: [line, pieces] of a <pre>, <td>, <th>, <h1>
        self._row = None
        self._table = None

    def problem(self, line, text):
        self.problems.append(f"{self.name}:{line}: {text}")

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        a = dict(attrs)
        if tag not in VOID:
            self.open.append((tag, line))
        if self._text is not None and self._text[2] == "pre":
            self.problem(line, f"<{tag}> inside an example transcript")
        for name in (a.get("name"), a.get("id")):
            if name:
                self.anchors.add(name)
        if tag == "a" and "href" in a:
            self.links.append((a["href"], line))
        kind = a.get("class", "")
        if kind in ("example", "examples") and (tag, kind) not in (
            ("pre", "example"),
            ("table", "examples"),
        ):
            self.problem(line, f'class="{kind}" on <{tag}>: only <pre class="example"> and '
                         '<table class="examples"> hold examples')
        if (tag, kind) == ("pre", "example") or tag == "h1":
            self._text = [line, [], tag]
        elif tag == "table" and kind == "examples":
            self._table = []
        elif tag == "tr" and self._table is not None:
            self._row = [line, [], False]
        elif tag in ("td", "th") and self._row is not None:
            self._text = [line, [], tag]
            self._row[2] |= tag == "th"

    def handle_endtag(self, tag):
        line = self.getpos()[0]
        if tag in VOID:
            return
        if not self.open:
            self.problem(line, f"</{tag}> closes nothing")
            return
        opened, at = self.open.pop()
        if opened != tag:
            self.problem(line, f"</{tag}> closes <{opened}> of line {at}")
        if self._text is not None and self._text[2] == tag:
            start, pieces, _ = self._text
            text = "".join(pieces)
            self._text = None
            if tag == "pre":
                self.transcripts.append((start, text))
            elif tag == "h1":
                self.headings.append(text)
            else:
                self._row[1].append(text.strip())
        elif tag == "tr" and self._row is not None:
            start, cells, heading = self._row
            self._row = None
            if not heading:
                if len(cells) < 2:
                    self.problem(start, "an example row needs a formula and a result")
                else:
                    self._table.append((start, cells))
        elif tag == "table" and self._table is not None:
            self.tables.append(self._table)
            self._table = None

    def handle_data(self, data):
        if self._text is not None:
            self._text[1].append(data)

    def finish(self):
        self.close()
        for tag, line in self.open:
            self.problem(line, f"<{tag}> is never closed")
        if len(self.headings) != 1:
            self.problem(1, f"{len(self.headings)} <h1> headings, not one")


def read_pages(folder):
    pages = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".html"):
            page = Page(name)
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                page.feed(f.read())
            page.finish()
            pages[name] = page
    return pages


def check_structure(folder, pages):
    problems = []
    for page in pages.values():
        problems += page.problems
        linked = set()
        for href, line in page.links:
            target, _, anchor = href.partition("#")
            target = target or page.name
            linked.add(target)
            if target not in pages:
                problems.append(f"{page.name}:{line}: link to {href}, which is no page of the "
                                "manual")
            elif anchor and anchor not in pages[target].anchors:
                problems.append(f"{page.name}:{line}: link to {href}, but {target} has no "
                                f'anchor "{anchor}"')
        for other in sorted(set(pages) - linked - {page.name}):
            problems.append(f"{page.name}: no link to {other}")
    listed = {f.text for f in ElementTree.parse(os.path.join(folder, "manual.qrc")).iter("file")}
    there = {n for n in os.listdir(folder) if n.endswith((".html", ".css"))}
    for name in sorted(there - listed):
        problems.append(f"manual.qrc: {name} is not listed")
    for name in sorted(listed - there):
        problems.append(f"manual.qrc: lists {name}, which is not there")
    return problems


def run(command, work, env):
    done = subprocess.run(command, cwd=work, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    return done.stdout.decode("utf-8", "replace").splitlines()


def shown(lines):
    return "\n".join("    " + line for line in lines) if lines else "    (nothing)"


def check_transcript(page, start, text, number, work, env):
    problems = []
    if text.startswith("\n"):  # a line break right after <pre> is not part of its text
        text = text[1:]
        start += 1
    commands = []  # (line, command, expected lines)
    for offset, line in enumerate(text.split("\n")):
        if line.startswith("$ "):
            commands.append((start + offset, line[2:], []))
        elif commands:
            commands[-1][2].append(line)
        else:
            problems.append(f"{page}:{start + offset}: example {number} begins with a line "
                            'that is no "$ " command')
    for line, command, expected in commands:
        while expected and not expected[-1]:
            expected.pop()
        got = run(["sh", "-c", command], work, env)
        if got != expected:
            problems.append(f"{page}:{line}: example {number}: $ {command}\n  the page says:\n"
                            f"{shown(expected)}\n  quarnis-calc prints:\n{shown(got)}")
    return problems, len(commands)


def check_table(page, rows, calc, work, env):
    formulas = [cells[0] for _, cells in rows]
    got = run([calc, "--", *formulas], work, env)
    if len(got) != len(rows):
        return [f"{page}:{rows[0][0]}: the table's {len(rows)} formulas printed {len(got)} "
                f"lines:\n{shown(got)}"]
    problems = []
    for (line, cells), result in zip(rows, got):
        if result != cells[1]:
            problems.append(f"{page}:{line}: {cells[0]} gives {result}, the page says "
                            f"{cells[1]}")
    return problems


def check_examples(pages, calc, work):
    os.makedirs(work, exist_ok=True)
    calc = os.path.abspath(calc)
    env = dict(os.environ)
    env["PATH"] = os.path.dirname(calc) + os.pathsep + env.get("PATH", "")
    problems = []
    checked = 0
    for page in pages.values():
        for number, (start, text) in enumerate(page.transcripts, 1):
            found, count = check_transcript(page.name, start, text, number, work, env)
            problems += found
            checked += count
        for rows in page.tables:
            if rows:
                problems += check_table(page.name, rows, calc, work, env)
                checked += len(rows)
    if checked == 0:
        problems.append("no examples found")
    return problems, checked


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pages")
    parser.add_argument("--calc")
    parser.add_argument("--work")
    args = parser.parse_args()
    pages = read_pages(args.pages)
    problems = check_structure(args.pages, pages)
    summary = f"{len(pages)} pages"
    if args.calc:
        found, checked = check_examples(pages, args.calc, args.work or os.getcwd())
        problems += found
        summary += f", {checked} examples"
    for problem in problems:
        print(problem)
    print(f"{summary}: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

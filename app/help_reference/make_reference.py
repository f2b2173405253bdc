#!/usr/bin/env python3
"""Writes the command-language reference page from the program's command
table (automation/command_table.cpp) and the descriptions kept in
commands.txt, so the page cannot fall behind the interpreter.

  make_reference.py TABLE ENTRIES OUTPUT   writes the page
  make_reference.py --check TABLE ENTRIES  only compares table and entries

Exits 1 when a command of the table has no entry or an entry names no
command."""

import html
import os
import re
import sys

FIELDS = ("form", "args", "does", "fails", "example", "see")


def read_table(path):
    """(opening, closing, handler, flags) of each table row, in table order."""
    rows = []
    pattern = re.compile(r'\{"(\[[^"\\]*(?:\\")?)",\s*(nullptr|"(?:[^"\\]|\\.)*"),\s*c::(\w+),\s*([^}]*)\}')
    for line in open(path, encoding="utf-8"):
        m = pattern.search(line)
        if not m:
            continue
        opening = m.group(1).replace('\\"', '"')
        closing = "" if m.group(2) == "nullptr" else m.group(2)[1:-1].replace('\\"', '"')
        rows.append((opening, closing, m.group(3), m.group(4).strip()))
    return rows


def command_key(opening):
    """The lower-case name of a command: its opening without brackets and quotes."""
    return re.sub(r'[\[\]()"]', "", opening)


def read_entries(path):
    """Ordered {display name: {field: text}}; continuation lines start with blanks."""
    entries, name, field = {}, None, None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        m = re.match(r"^\[(\w+)\]$", line)
        if m:
            name, field = m.group(1), None
            if name in entries:
                sys.exit(f"{path}:{number}: {name} described twice")
            entries[name] = {}
            continue
        m = re.match(r"^(\w+):\s?(.*)$", line)
        if m and name and m.group(1) in FIELDS:
            field = m.group(1)
            entries[name][field] = m.group(2)
        elif line[0].isspace() and field:
            entries[name][field] += "\n" + line.strip()
        else:
            sys.exit(f"{path}:{number}: cannot read this line")
    return entries


def compare(rows, entries):
    """Problems: table commands without an entry, entries without a command."""
    table = {command_key(r[0]) for r in rows}
    described = {n.lower() for n in entries}
    problems = [f"command [{k}] of the table has no entry" for k in sorted(table - described)]
    problems += [f"entry [{n}] names no command of the table" for n in entries if n.lower() not in table]
    return problems


def page_title(folder, page):
    """The title of a help page beside the reference, without the common ending."""
    try:
        text = open(os.path.join(folder, page), encoding="windows-1252", errors="replace").read(2048)
    except OSError:
        return None
    m = re.search(r"<title>(.*?)(?: - MERVA95 Help)?</title>", text, re.I | re.S)
    return m.group(1).strip() if m else None


def link_see(see, names, folder):
    links = []
    for word in see.split():
        if word.isdigit():
            title = page_title(folder, f"{word}.html") or f"menu command {word}"
            links.append(f'<a href="{word}.html">{title}</a>')
        elif word.lower() in names:
            links.append(f'<a href="#{word.lower()}">{names[word.lower()]}</a>')
        else:
            links.append(f'<a href="{html.escape(word)}">{html.escape(word)}</a>')
    return ", ".join(links)


def written_form(name, key, opening, closing, flags, entry):
    """How a user writes the command: the entry's own form, else made from
    the table's opening and closing and the argument names."""
    if "form" in entry:
        return entry["form"]
    head = "[" + name + opening[1 + len(key):]
    if "SKIP_TO_BRACKET" in flags:
        return head + "()]"
    if not closing:
        return head
    args = []
    for kind, arg in re.findall(r"\b([IRFS]) (\w+)", entry.get("args", "")):
        args.append(f'"{arg}"' if kind == "S" else arg)
    text = ",".join(args)
    if head.endswith('"') and text.startswith('"'):
        text = text[1:]
    if closing.startswith('"') and text.endswith('"'):
        text = text[:-1]
    return head + text + closing + ("" if closing.endswith("]") else "]")


def write_page(rows, entries, out):
    names = {n.lower(): n for n in entries}
    folder = os.path.dirname(os.path.abspath(out))
    handlers = {}
    for opening, _, handler, _ in rows:
        handlers.setdefault(handler, command_key(opening))
    parts = [PAGE_HEAD, '<nav class="az"><p>']
    parts += [f'<a href="#{n.lower()}">{n}</a> ' for n in sorted(entries, key=str.lower)]
    parts.append("</p></nav>\n")
    for opening, closing, handler, flags in sorted(rows, key=lambda r: command_key(r[0])):
        key = command_key(opening)
        entry = entries[names[key]]
        parts.append(f'<section id="{key}">\n<h2>{names[key]}</h2>\n')
        form = written_form(names[key], key, opening, closing, flags, entry)
        parts.append(f"<p class=\"syntax\">Written: <code>{html.escape(form)}</code></p>\n")
        if handlers[handler] != key:
            first = handlers[handler]
            parts.append(f'<p>Same as <a href="#{first}">{names[first]}</a>.</p>\n')
        parts.append(f"<p><b>Arguments:</b> {entry.get('args', 'none')}</p>\n")
        if "does" in entry:
            parts.append(f"<p>{entry['does']}</p>\n")
        if "fails" in entry:
            parts.append(f"<p><b>Fails when</b> {entry['fails']}</p>\n")
        if "example" in entry:
            parts.append(f"<pre>{html.escape(entry['example'])}</pre>\n")
        if "see" in entry:
            parts.append(f"<p class=\"see\">See also: {link_see(entry['see'], names, folder)}</p>\n")
        parts.append("</section>\n")
    parts.append(PAGE_TAIL)
    with open(out, "w", encoding="windows-1252", newline="\n") as f:
        f.write("".join(parts))


PAGE_HEAD = """<!DOCTYPE html>
<html lang="en"><head><meta charset="windows-1252">
<meta name="viewport" content="width=device-width, initial-scale=1">
<link rel="stylesheet" href="help.css">
<title>Command language reference - MERVA95 Help</title></head>
<body>
<p class="nav"><a href="index.html">Contents</a> | <a href="dde.html">Transferring MERVA data to other applications</a></p>
<h1>Command language reference</h1>
<p>This page is made from the program's own command table when MERVA95 is built: every command the program
understands is here, and nothing else.</p>
<h2 id="rules">How a command string is read</h2>
<ul>
<li>A command string is one or more commands in square brackets, written one after another with
<em>nothing</em> between them: <code>[FileOpen("c:\\data\\a.grf")][FilePrint()]</code>.
A blank or a line end between two commands is an error.</li>
<li>Command names are not case sensitive (<code>[FILEOPEN(</code> works); arguments keep their case.</li>
<li>A command without arguments still needs its parentheses: <code>[AppShow()]</code>, not <code>[AppShow]</code>.</li>
<li>String arguments are in double quotation marks; a string cannot contain its own closing text
(for example <code>")</code>).</li>
<li>Numbers are separated by commas or blanks. Types below: <b>I</b> 32-bit integer, <b>R</b> real
(double precision), <b>F</b> real (single precision), <b>S</b> string.</li>
<li>A string longer than 1024 characters is not run at all.</li>
<li>Curve numbers count from 1. Most curve commands act on the curve chosen with
<a href="#selectcurve">SelectCurve</a> (curve 1 until then); <code>[SelectCurve(-1)]</code> makes them act on every curve.</li>
<li>The first command that fails ends the string: the commands before it keep their effect, the rest are
skipped, the client gets the "not processed" answer and, unless <a href="#errormessages">ErrorMessages(0)</a>
was sent, a box titled "Error processing this command:" shows the whole string.</li>
<li>The plot is redrawn once at the end of a string that changed it, unless
<a href="#postponeredraw">PostponeRedraw</a> is in force.</li>
</ul>
<p>How to send these strings from another program (DDE service "MERVAW", topic "ROZava" or a document
topic) is told in <a href="dde.html">Transferring MERVA data to other applications</a>. In a macro of the
macro editor (<a href="4109.html">Macro</a>) write one command per line without its square brackets,
for example <code>FileOpen("c:\\data\\ex01.grf")</code>; the editor adds them when it sends the line.</p>
<h2 id="az">Commands A-Z</h2>
"""

PAGE_TAIL = """<p class="nav"><a href="index.html">Contents</a></p>
</body></html>
"""


def main(argv):
    check = argv[1:2] == ["--check"]
    args = argv[2:] if check else argv[1:]
    if len(args) != (2 if check else 3):
        sys.exit(__doc__)
    rows = read_table(args[0])
    if not rows:
        sys.exit(f"{args[0]}: no commands found")
    entries = read_entries(args[1])
    problems = compare(rows, entries)
    for p in problems:
        print(f"{args[1]}: {p}", file=sys.stderr)
    if problems:
        return 1
    if not check:
        write_page(rows, entries, args[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

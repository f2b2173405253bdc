#!/usr/bin/env python3
"""Checks the help pages as the program ships them (the pages of app/help
and the command-language reference made from the command table):

- the reference and the command table name the same commands;
- every menu command, help context, dialog and numbered message of the
  program reaches a page or an anchor;
- every link resolves, to the file and to the anchor;
- every page passes Debian's tidy without warnings;
- headless Chromium renders the contents, the reference and three command
  pages into screenshots that are not blank.

Usage: check_help.py BUILD_DIR   (pages and screenshots go below it)"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAKER = os.path.join(ROOT, "app/help_reference/make_reference.py")
TABLE = os.path.join(ROOT, "automation/command_table.cpp")
ENTRIES = os.path.join(ROOT, "app/help_reference/commands.txt")
SHOTS = ["index.html", "commands.html", "4105.html", "4186.html", "4184.html"]
MENU_RANGE = range(4096, 4371)

failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text)


def read(path):
    return open(path, encoding="windows-1252", errors="replace").read()


def build_pages(out):
    pages = os.path.join(out, "pages")
    shutil.rmtree(pages, ignore_errors=True)
    shutil.copytree(os.path.join(ROOT, "app/help"), pages)
    if subprocess.call([sys.executable, MAKER, TABLE, ENTRIES, os.path.join(pages, "commands.html")]):
        fail("the reference does not match the command table")
    return pages


def program_contexts():
    """Menu identifiers and help contexts the program can open a page for."""
    ids = set()
    names = {}
    for line in open(os.path.join(ROOT, "app/resource_ids.h")):
        m = re.match(r"#define (IDM_\w+) (\d+)", line)
        if m and int(m.group(2)) in MENU_RANGE:
            names[m.group(1)] = int(m.group(2))
    for name, value in names.items():
        if name.endswith("_FIRST") and name[:-6] + "_LAST" in names:
            ids.update(range(value, names[name[:-6] + "_LAST"] + 1))
        elif name not in ("IDM_FIRST_CHILD", "IDM_SCALE_BASE"):
            ids.add(value)
    for path in glob.glob(os.path.join(ROOT, "app/*.rc")) + glob.glob(os.path.join(ROOT, "app/*.h")):
        text = open(path, encoding="latin-1").read()
        ids.update(int(n) for n in re.findall(r'MENUITEM "[^"]*", (\d+)', text))
        ids.update(int(n) for n in re.findall(r"HELP_\w+ = (\d+);", text))
    return sorted(i for i in ids if i in MENU_RANGE)


def check_coverage(pages, texts):
    for context in program_contexts():
        if f"{context}.html" not in texts:
            fail(f"menu command {context} has no page {context}.html")
    anchors = " ".join(texts.values())
    for path in glob.glob(os.path.join(ROOT, "app/*.rc")):
        rc = open(path, encoding="latin-1").read()
        for name, body in re.findall(r"^(\w+) DIALOG(?:EX)?\b(.*?)^BEGIN", rc, re.M | re.S):
            caption = re.search(r'CAPTION "([^"]*)"', body)
            named = caption and f'"{caption.group(1)}"' in anchors
            if f'id="{name}"' not in anchors and f"id='{name}'" not in anchors and not named:
                fail(f"dialog {name} is described on no page")
    messages = texts.get("messages.html", "")
    for number, text in re.findall(r'MERVA_MESSAGE\((\d+), \w+, "(.*)"\)', open(os.path.join(ROOT, "core/message_table.inc")).read()):
        if int(number) < 256 and f'id="m{number}"' not in messages:
            fail(f"message {number} has no entry on messages.html")


def check_links(pages, texts):
    ids = {page: set(re.findall(r"""\bid=["']([^"']+)["']""", t)) for page, t in texts.items()}
    for page, text in texts.items():
        for target in re.findall(r"""\b(?:href|src)=["']([^"']+)["']""", text):
            if re.match(r"[a-z]+:", target):
                continue
            file, _, anchor = target.partition("#")
            file = file or page
            if file not in texts and not os.path.exists(os.path.join(pages, file)):
                fail(f"{page}: link to missing {file}")
            elif anchor and anchor not in ids.get(file, set()):
                fail(f"{page}: link to missing anchor {target}")


def check_tidy(pages):
    for path in sorted(glob.glob(os.path.join(pages, "*.html"))):
        run = subprocess.run(["tidy", "-q", "-e", "-win1252", path], capture_output=True, text=True)
        if run.returncode != 0:
            fail(f"tidy: {os.path.basename(path)}: {run.stderr.strip()}")


def dark_fraction(png):
    """Share of pixels darker than mid-grey, from netpbm's histogram."""
    pnm = subprocess.run(["pngtopnm", png], capture_output=True, check=True).stdout
    hist = subprocess.run(["ppmhist", "-noheader"], input=pnm, capture_output=True, check=True).stdout
    dark = total = 0
    for line in hist.decode().splitlines():
        fields = line.split()
        if len(fields) >= 5:
            count = int(fields[4])
            total += count
            dark += count if int(fields[3]) < 128 else 0
    return dark / total if total else 0.0


def check_screenshots(out, pages):
    shots = os.path.join(out, "screenshots")
    os.makedirs(shots, exist_ok=True)
    for page in SHOTS:
        png = os.path.join(shots, page.replace(".html", ".png"))
        if os.path.exists(png):
            os.remove(png)
        with tempfile.TemporaryDirectory(dir=out) as profile:
            subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                            "--no-first-run", "--disable-background-networking", "--disable-component-update",
                            "--disable-sync", f"--user-data-dir={profile}", "--hide-scrollbars",
                            "--window-size=1000,1300", f"--screenshot={png}",
                            "file://" + os.path.join(pages, page)],
                           capture_output=True, timeout=120)
        if not os.path.exists(png):
            fail(f"chromium made no screenshot of {page}")
            continue
        share = dark_fraction(png)
        print(f"{page}: {share:.1%} of the screenshot is text")
        if share < 0.01:
            fail(f"the screenshot of {page} is blank")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = os.path.abspath(sys.argv[1])
    os.makedirs(out, exist_ok=True)
    pages = build_pages(out)
    texts = {os.path.basename(p): read(p) for p in glob.glob(os.path.join(pages, "*.html"))}
    check_coverage(pages, texts)
    check_links(pages, texts)
    check_tidy(pages)
    check_screenshots(out, pages)
    print(f"{len(texts)} pages, {len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

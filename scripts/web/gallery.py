#!/usr/bin/env python3
"""Writes the site's gallery: index.html with one card per lesson (a picture scaled down from
docs/screenshots, the name and the line of web/lessons.txt) linking to lumivia.html#Name, in
the order of the program's lesson list; the start screen first.
   gallery.py SOURCE_DIR SITE_DIR"""
import html
import re
import subprocess
import sys
from pathlib import Path

THUMB_WIDTH = 320


def lessons(root):
    """The list's names in its order, from the table the program is built with."""
    table = (root / "app/src/main/lessonlist.cpp").read_text()
    return re.findall(r'\{"(\w+)", &CreateLesson<', table)


def summaries(root):
    """web/lessons.txt: {name: what the lesson teaches}."""
    lines = (root / "web/lessons.txt").read_text(encoding="utf-8").splitlines()
    return dict(line.split("\t", 1) for line in lines if line and not line.startswith("#"))


def thumbnail(source, target):
    """A copy THUMB_WIDTH pixels wide through netpbm; the picture itself where that fails."""
    try:
        pipeline = f"pngtopnm '{source}' | pamscale -width {THUMB_WIDTH} | pnmtopng > '{target}'"
        subprocess.run(["bash", "-o", "pipefail", "-c", pipeline], check=True,
                       stderr=subprocess.DEVNULL)
    except (subprocess.CalledProcessError, FileNotFoundError):
        target.write_bytes(source.read_bytes())


def card(name, text, picture, link):
    image = f'<img src="{picture}" alt="" width="{THUMB_WIDTH}" height="180" loading="lazy">'
    return (f'<a class="card" href="{link}">{image}'
            f'<b>{html.escape(name)}</b><span>{html.escape(text)}</span></a>')


def main():
    root, site = Path(sys.argv[1]), Path(sys.argv[2])
    (site / "thumbs").mkdir(parents=True, exist_ok=True)
    lines = summaries(root)
    cards = []
    for name in ["Start"] + lessons(root):
        if name not in lines:
            sys.exit(f"gallery.py: web/lessons.txt has no line for {name}")
        source = root / "docs/screenshots" / f"{name.lower() if name == 'Start' else name}.png"
        picture = f"thumbs/{name}.png"
        thumbnail(source, site / picture)
        link = "lumivia.html" if name == "Start" else f"lumivia.html#{name}"
        cards.append(card(name, lines[name], picture, link))
    page = (root / "web/index.html.in").read_text(encoding="utf-8")
    (site / "index.html").write_text(page.replace("@CARDS@", "\n".join(cards)), encoding="utf-8")


if __name__ == "__main__":
    main()

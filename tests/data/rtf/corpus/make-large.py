#!/usr/bin/env python3
"""Writes the large corpus document as HTML to stdout: sections of formatted paragraphs, lists,
tables, links and text in several scripts, repeated with variations until the RTF LibreOffice
writes of it is about 1 MB. Deterministic, so that the committed RTF can be made again."""
import sys

SECTIONS = int(sys.argv[1]) if len(sys.argv) > 1 else 140
WORDS = ("mail report figures quarter region meeting notes budget plan draft review office "
         "server database folder inbox attachment reply forward archive calendar").split()
FONTS = ["Courier New", "Times New Roman", "Arial", "Liberation Sans"]
COLOURS = ["#ff0000", "#0000ff", "#008000", "#800080", "#808000", "#008080"]
SCRIPTS = ["Grüße aus München", "Ça va très bien", "Καλημέρα κόσμε", "Привет, мир",
           "你好，世界", "こんにちは世界", "안녕하세요", "€ © ™ → ∞"]

state = 12345


def pick(items):
    global state
    state = (state * 1103515245 + 12345) % 2**31
    return items[state % len(items)]


def sentence(n):
    words = [pick(WORDS) for _ in range(n)]
    return words[0].capitalize() + " " + " ".join(words[1:]) + "."


def formatted():
    kind = pick(["b", "i", "u", "s", "font", "colour", "size", "plain", "plain"])
    text = sentence(3)[:-1]
    if kind in "bius":
        return "<%s>%s</%s>" % (kind, text, kind)
    if kind == "font":
        return '<font face="%s">%s</font>' % (pick(FONTS), text)
    if kind == "colour":
        return '<font color="%s">%s</font>' % (pick(COLOURS), text)
    if kind == "size":
        return '<span style="font-size:%dpt">%s</span>' % (pick([9, 14, 18]), text)
    return text


out = ['<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>Large</title></head><body>']
for section in range(1, SECTIONS + 1):
    out.append("<p><b>Section %d</b></p>" % section)
    for _ in range(6):
        parts = [sentence(8)] + [formatted() for _ in range(4)] + [pick(SCRIPTS) + "."]
        out.append('<p align="%s">%s</p>' % (pick(["left", "left", "center", "right", "justify"]),
                                              " ".join(parts)))
    out.append("<ul>" + "".join("<li>%s</li>" % sentence(4) for _ in range(3)) + "</ul>")
    out.append("<ol>" + "".join("<li>%s</li>" % sentence(4) for _ in range(3)) + "</ol>")
    out.append('<p>See <a href="https://www.example.com/s?id=%d&amp;page=2">section %d online</a> '
               'or write to <a href="mailto:team%d@example.com">the team</a>.</p>'
               % (section, section, section))
    if section % 4 == 0:
        rows = "".join("<tr>%s</tr>" % "".join("<td>%s</td>" % pick(WORDS) for _ in range(3))
                       for _ in range(3))
        out.append('<table border="1">%s</table>' % rows)
out.append("</body></html>")
print("\n".join(out))

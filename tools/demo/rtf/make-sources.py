#!/usr/bin/env python3
"""Writes the generated HTML sources of the demo mails into the folder given:
quarterly-figures.html (the template with its chart as a PNG) and long-report.html
(a report of about 300 KB of RTF). With --bench FILE it also writes a report of about
1 MB of RTF, the benchmarks' document."""
import base64
import struct
import sys
import zlib
from pathlib import Path


def chart_png(width=32, height=24):
    rows = b"".join(
        b"\0" + b"".join(bytes([(x * 8) % 256, (y * 10) % 256, 160]) for x in range(width))
        for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) +
            chunk(b"IEND", b""))


WORDS = ("shipment warehouse invoice customer forecast budget region quarter supplier "
         "delivery contract meeting schedule review target margin").split()


def paragraph(section, index):
    words = [WORDS[(section * 7 + index * 3 + k) % len(WORDS)] for k in range(34)]
    text = " ".join(words)
    return (f"<p>{section}.{index} The <b>{words[0]}</b> for the <i>{words[1]}</i> was checked; "
            f"{text}; see <a href=\"https://intranet.demo.example/r/{section}/{index}\">entry "
            f"{section}.{index}</a>.</p>")


def report(title, sections, png):
    parts = [f"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>{title}</title></head><body>",
             f"<h1>{title}</h1>"]
    for section in range(1, sections + 1):
        parts.append(f"<h2>Section {section}</h2>")
        parts.extend(paragraph(section, index) for index in range(1, 7))
        parts.append("<ul>" + "".join(f"<li>point {section}.{k}</li>" for k in range(1, 4)) + "</ul>")
        parts.append("<table border=\"1\">" + "".join(
            f"<tr><td>row {r}</td><td><b>{section * r}</b></td><td>{WORDS[r]}</td></tr>"
            for r in range(1, 4)) + "</table>")
        if section % 10 == 1:
            parts.append(f"<p><img src=\"data:image/png;base64,{png}\" width=\"64\" height=\"48\"></p>")
    parts.append("</body></html>")
    return "\n".join(parts)


def main():
    out = Path(sys.argv[1])
    png = base64.b64encode(chart_png()).decode()
    here = Path(__file__).resolve().parent
    template = (here / "quarterly-figures.html.in").read_text(encoding="utf-8")
    (out / "quarterly-figures.html").write_text(template.replace("@CHART_PNG@", png), encoding="utf-8")
    (out / "long-report.html").write_text(report("Annual report", 30, png), encoding="utf-8")
    if len(sys.argv) == 4 and sys.argv[2] == "--bench":
        Path(sys.argv[3]).write_text(report("Benchmark report", 100, png), encoding="utf-8")


main()

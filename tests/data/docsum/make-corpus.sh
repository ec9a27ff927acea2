#!/bin/sh
# Makes the corpus of summary-property documents the tests read, and the file of the values two
# other readers (python3-olefile and exiftool) find in them. Run it on a machine with headless
# LibreOffice (libreoffice-writer-nogui, libreoffice-calc-nogui), libgsf-1-dev, python3-olefile
# and exiftool; commit what it writes. CI only reads the committed files.
#
#   tests/data/docsum/make-corpus.sh
#
# - src/*.fodt and src/*.fods: flat ODF sources with their metadata set (title, subject, author,
#   last author, template, keywords, time saved), written from the table below;
# - *.doc and *.xls: those sources saved by LibreOffice as Word 97 and Excel 97 files (LibreOffice
#   keeps the time saved the source gives, and writes code page 65001, stored as -535);
# - gsf-*.doc: written by gsf-summary.c through libgsf in the code pages 1252, 1200 and 65001;
# - expected.tsv: file, author, title, subject, last author, template, time saved in UTC to the
#   minute, as python3-olefile reads them; the script stops when exiftool reads otherwise or
#   gsf cannot list the summary stream;
# - seeds of the fuzz targets compound_file_fuzz (whole files) and property_set_fuzz (a
#   property-selecting byte and the summary stream) under tests/fuzz/seeds.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -Wall -o "$work/gsf-summary" "$here/gsf-summary.c" $(pkg-config --cflags --libs libgsf-1)
exec /usr/bin/python3 - "$here" "$work" <<'PYTHON'
import calendar, datetime, json, os, subprocess, sys
from xml.sax.saxutils import escape

import olefile

here, work = sys.argv[1], sys.argv[2]
src = os.path.join(here, "src")
os.makedirs(src, exist_ok=True)

# name, title, subject, author, last author, template, saved (UTC), body
WRITER = [
    ("ascii", "Quarterly Report", "Sales figures", "Jane Doe", "John Smith", "Normal",
     "2024-01-15T09:30:00", "text"),
    ("western", "Gr\u00f6\u00dfe und Ma\u00dfe", "\u00dcbersicht f\u00fcr J\u00f6rg",
     "J\u00fcrgen Gro\u00df", "Zo\u00eb \u00c5ngstr\u00f6m", "Vorlage Brief",
     "2024-07-15T14:45:00", "text"),
    ("cyrillic", "\u041e\u0442\u0447\u0451\u0442 \u0437\u0430 \u043a\u0432\u0430\u0440\u0442\u0430\u043b",
     "\u041f\u0440\u043e\u0434\u0430\u0436\u0438", "\u0418\u0432\u0430\u043d \u041f\u0435\u0442\u0440\u043e\u0432",
     "\u0410\u043d\u043d\u0430", "\u0428\u0430\u0431\u043b\u043e\u043d", "2023-11-20T16:05:00", "text"),
    ("greek", "\u0395\u03c4\u03ae\u03c3\u03b9\u03b1 \u03ad\u03ba\u03b8\u03b5\u03c3\u03b7",
     "\u03a0\u03c9\u03bb\u03ae\u03c3\u03b5\u03b9\u03c2",
     "\u0393\u03b9\u03ce\u03c1\u03b3\u03bf\u03c2 \u03a0\u03b1\u03c0\u03b1\u03b4\u03cc\u03c0\u03bf\u03c5\u03bb\u03bf\u03c2",
     "\u0395\u03bb\u03ad\u03bd\u03b7", "\u03a0\u03c1\u03cc\u03c4\u03c5\u03c0\u03bf",
     "2023-06-01T07:00:00", "text"),
    ("cjk", "\u56db\u534a\u671f\u5831\u544a\u66f8", "\u58f2\u4e0a\u3068\u8cbb\u7528",
     "\u5c71\u7530\u592a\u90ce", "\u674e\u5c0f\u9f99", "\u6a21\u677f", "2022-12-24T23:59:00", "text"),
    ("empty", "", "", "", "", "", "", "text"),
    ("long-title", "Long title " + "\u00e4" * 150, "Subject", "Author", "Editor", "Normal",
     "2020-02-29T12:00:00", "text"),
    ("saved-2003-03-05", "Meeting notes", "Budget", "Hans Meier", "Eva Kurz", "Normal",
     "2003-03-05T08:07:00", "text"),
    ("embedded-object", "With a sheet", "Objects", "Jane Doe", "John Smith", "Normal",
     "2024-03-01T10:00:00", "object"),
]
CALC = [
    ("sheet-western", "Ums\u00e4tze 2024", "\u00dcbersicht", "J\u00fcrgen Gro\u00df",
     "Zo\u00eb", "Tabelle", "2024-08-01T06:15:00"),
    ("sheet-cyrillic", "\u0411\u044e\u0434\u0436\u0435\u0442", "\u0420\u0430\u0441\u0445\u043e\u0434\u044b",
     "\u0418\u0432\u0430\u043d", "\u0410\u043d\u043d\u0430", "", "2024-02-10T18:20:00"),
]
# name, code page, title, subject, author, last author, template, saved (UTC)
GSF = [
    ("gsf-1252", 1252, "Gr\u00f6\u00dfe", "Pl\u00e4ne", "J\u00f6rg", "Eva", "Normal.dot",
     "2003-03-05T08:07:00"),
    ("gsf-1200", 1200, "Gr\u00f6\u00dfe", "Pl\u00e4ne", "J\u00f6rg", "Eva", "Normal.dot",
     "2004-07-05T08:07:00"),
    ("gsf-65001", 65001, "\u041e\u0442\u0447\u0451\u0442", "\u00dcbersicht", "\u5c71\u7530",
     "Eva", "Normal.dot", "2005-01-05T08:07:00"),
]

NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
      'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
      'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
      'xmlns:dc="http://purl.org/dc/elements/1.1/" '
      'xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0" '
      'xmlns:xlink="http://www.w3.org/1999/xlink" office:version="1.3"')


def meta(title, subject, author, last, template, saved):
    parts = []
    for tag, value in (("dc:title", title), ("dc:subject", subject),
                       ("meta:initial-creator", author), ("dc:creator", last)):
        if value:
            parts.append("<%s>%s</%s>" % (tag, escape(value), tag))
    parts.append("<meta:keyword>corpus</meta:keyword><meta:keyword>summary</meta:keyword>")
    if template:
        parts.append('<meta:template xlink:type="simple" xlink:href="%s.ott" xlink:title="%s"/>'
                     % (escape(template), escape(template)))
    if saved:
        parts.append("<meta:creation-date>%s</meta:creation-date><dc:date>%sZ</dc:date>"
                     % (saved, saved))
    return "<office:meta>%s</office:meta>" % "".join(parts)


# An embedded spreadsheet (Math is not needed) whose own summary differs from the document's:
# LibreOffice saves it as a storage under ObjectPool with its own SummaryInformation.
EMBEDDED = ('<draw:frame draw:name="Sheet" text:anchor-type="as-char" svg:width="4cm" '
            'svg:height="2cm"><draw:object><office:document office:version="1.3" '
            'office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
            '<office:meta><dc:title>Embedded sheet</dc:title><dc:subject>Inner</dc:subject>'
            '<meta:initial-creator>Inner Author</meta:initial-creator></office:meta>'
            '<office:body><office:spreadsheet><table:table table:name="S"><table:table-row>'
            '<table:table-cell office:value-type="float" office:value="7"/></table:table-row>'
            '</table:table></office:spreadsheet></office:body></office:document></draw:object>'
            '</draw:frame>')


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def sources():
    for name, title, subject, author, last, template, saved, body in WRITER:
        content = EMBEDDED if body == "object" else escape(title or "No title")
        write(os.path.join(src, name + ".fodt"),
              '<?xml version="1.0" encoding="UTF-8"?>\n<office:document %s office:mimetype='
              '"application/vnd.oasis.opendocument.text">%s<office:body><office:text><text:p>'
              '%s</text:p></office:text></office:body></office:document>\n'
              % (NS, meta(title, subject, author, last, template, saved), content))
    for name, title, subject, author, last, template, saved in CALC:
        write(os.path.join(src, name + ".fods"),
              '<?xml version="1.0" encoding="UTF-8"?>\n<office:document %s office:mimetype='
              '"application/vnd.oasis.opendocument.spreadsheet">%s<office:body>'
              '<office:spreadsheet><table:table table:name="Sheet1"><table:table-row>'
              '<table:table-cell office:value-type="float" office:value="42"/>'
              '</table:table-row></table:table></office:spreadsheet></office:body>'
              '</office:document>\n' % (NS, meta(title, subject, author, last, template, saved)))


def convert():
    profile = "file://" + os.path.join(work, "lo-profile")
    for kind, extension, filter_name in (("fodt", "doc", "MS Word 97"),
                                         ("fods", "xls", "MS Excel 97")):
        files = sorted(os.path.join(src, f) for f in os.listdir(src) if f.endswith("." + kind))
        subprocess.run(["soffice", "-env:UserInstallation=" + profile, "--headless",
                        "--convert-to", extension + ":" + filter_name, "--outdir", here] + files,
                       check=True, stdout=subprocess.DEVNULL)
    for name, codepage, title, subject, author, last, template, saved in GSF:
        seconds = calendar.timegm(datetime.datetime.fromisoformat(saved).timetuple())
        subprocess.run([os.path.join(work, "gsf-summary"), os.path.join(here, name + ".doc"),
                        str(codepage), title, subject, author, last, template, str(seconds)],
                       check=True)


def olefile_values(path):
    m = olefile.OleFileIO(path).get_metadata()
    # olefile hands 8-bit values over as bytes: UTF-8 for code page 65001 (-535), Latin-1 for
    # the UTF-16 of code page 1200 (it decodes and encodes them again), else the code page.
    codepage = {-535: "utf-8", 65001: "utf-8", 1200: "latin-1"}.get(m.codepage,
                                                                     "cp%d" % (m.codepage or 1252))
    text = [(v or b"").decode(codepage) for v in
            (m.author, m.title, m.subject, m.last_saved_by, m.template)]
    saved = m.last_saved_time.strftime("%Y-%m-%d %H:%M") if m.last_saved_time else ""
    # A zero time is no time saved: olefile shows it as 1601, exiftool as 0.
    return text + ["" if saved.startswith("1601-01-01") else saved]


def exiftool_values(paths):
    out = subprocess.run(["exiftool", "-j", "-charset", "exif=utf8", "-charset", "FlashPix=utf8",
                          "-d", "%Y-%m-%d %H:%M", "-Author", "-Title", "-Subject",
                          "-LastModifiedBy", "-Template", "-ModifyDate"] + paths,
                         check=True, capture_output=True, env=dict(os.environ, TZ="UTC")).stdout
    values = {}
    for r in json.loads(out):
        fields = [str(r.get(k, "")) for k in ("Author", "Title", "Subject", "LastModifiedBy",
                                              "Template", "ModifyDate")]
        if fields[5] == "0":
            fields[5] = ""
        values[os.path.basename(r["SourceFile"])] = fields
    return values


def check():
    names = sorted(f for f in os.listdir(here) if f.endswith((".doc", ".xls")))
    peer = exiftool_values([os.path.join(here, n) for n in names])
    lines = []
    for name in names:
        path = os.path.join(here, name)
        listing = subprocess.run(["gsf", "list", path], check=True, capture_output=True).stdout
        if b"SummaryInformation" not in listing:
            sys.exit("gsf lists no summary in " + name)
        values = olefile_values(path)
        if values != peer[name]:
            sys.exit("%s: olefile reads %r, exiftool %r" % (name, values, peer[name]))
        if any("\t" in v or "\n" in v for v in values):
            sys.exit(name + ": a value holds a tab or line break")
        lines.append("\t".join([name] + values))
    embedded = olefile.OleFileIO(os.path.join(here, "embedded-object.doc"))
    inner = [e for e in embedded.listdir() if e[0] == "ObjectPool" and e[-1] ==
             "\x05SummaryInformation"]
    if len(inner) != 1:
        sys.exit("embedded-object.doc holds no embedded summary")
    write(os.path.join(here, "expected.tsv"), "\n".join(lines) + "\n")
    print("%d files agree in olefile and exiftool" % len(names))


def seeds():
    fuzz = os.path.join(here, "..", "..", "fuzz", "seeds")
    for name in ("western.doc", "embedded-object.doc", "sheet-cyrillic.xls", "gsf-1200.doc"):
        with open(os.path.join(here, name), "rb") as f:
            data = f.read()
        with open(os.path.join(fuzz, "compound_file_fuzz", "lo-" + name), "wb") as f:
            f.write(data)
    for name in ("cyrillic.doc", "empty.doc", "gsf-1200.doc", "gsf-1252.doc"):
        stream = olefile.OleFileIO(os.path.join(here, name)).openstream("\x05SummaryInformation")
        with open(os.path.join(fuzz, "property_set_fuzz", name.replace(".doc", "")), "wb") as f:
            f.write(b"\x02" + stream.read())


sources()
convert()
check()
seeds()
PYTHON

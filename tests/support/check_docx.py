#!/usr/bin/python3
"""check_docx.py REPORT.docx EXPECTED.json: reads a Word report back with
python-docx, prints every difference from EXPECTED.json (see DocxCheck.cpp)
and exits 1, or exits 0 when there is none.
"""
import json
import posixpath
import sys
import zipfile
from xml.dom import minidom

from docx import Document
from docx.enum.text import WD_ALIGN_PARAGRAPH as ALIGN
from docx.image.image import Image
from docx.oxml.ns import qn

problems = []


def check(condition, message):
    if not condition:
        problems.append(message)


def check_package(path):
    """Well-formed parts, a content type for each, relationships that resolve."""
    with zipfile.ZipFile(path) as z:
        names = set(z.namelist())
        check("[Content_Types].xml" in names, "no [Content_Types].xml")
        xml = {}
        for name in names:
            if name.endswith(".xml") or name.endswith(".rels"):
                try:
                    xml[name] = minidom.parseString(z.read(name))
                except Exception as e:  # any parser error is the finding
                    problems.append("%s is not well-formed XML: %s" % (name, e))
        types = xml.get("[Content_Types].xml")
        if types is None:
            return
        defaults = {d.getAttribute("Extension").lower()
                    for d in types.getElementsByTagName("Default")}
        overrides = {o.getAttribute("PartName")
                     for o in types.getElementsByTagName("Override")}
        check("/word/document.xml" in overrides, "word/document.xml has no Override")
        for name in names - {"[Content_Types].xml"}:
            ext = name.rsplit(".", 1)[-1].lower()
            check("/" + name in overrides or ext in defaults, "no content type for " + name)
        for name, dom in xml.items():
            if not name.endswith(".rels"):
                continue
            source_dir = posixpath.dirname(posixpath.dirname(name))
            for rel in dom.getElementsByTagName("Relationship"):
                if rel.getAttribute("TargetMode") == "External":
                    problems.append("%s links %s instead of embedding it"
                                    % (name, rel.getAttribute("Target")))
                    continue
                target = posixpath.normpath(
                    posixpath.join(source_dir, rel.getAttribute("Target"))).lstrip("/")
                check(target in names, "%s: %s does not resolve" % (name, target))


def mark_properties(paragraph):
    """Size in points and bold of the paragraph mark (what an empty paragraph shows)."""
    ppr = paragraph._p.pPr
    rpr = ppr.find(qn("w:rPr")) if ppr is not None else None
    if rpr is None:
        return None, False
    sz = rpr.find(qn("w:sz"))
    size = int(sz.get(qn("w:val"))) / 2 if sz is not None else None
    return size, rpr.find(qn("w:b")) is not None


def check_document(path, expected):
    doc = Document(path)
    pictures = "PICTURES"
    want = [("", ALIGN.CENTER, 20), (expected["heading"], ALIGN.CENTER, 20),
            (expected["by"], ALIGN.RIGHT, 14), ("", ALIGN.JUSTIFY, 14)]
    want += [(line, ALIGN.JUSTIFY, 14) for line in expected["body"]]
    want += [("", ALIGN.CENTER, 14), (pictures, ALIGN.CENTER, 14),
             ("", ALIGN.CENTER, 14), ("", ALIGN.JUSTIFY, 16)]
    got = doc.paragraphs
    check(len(got) == len(want), "%d paragraphs, expected %d" % (len(got), len(want)))
    picture_paragraph = None
    for i, (p, (text, align, size)) in enumerate(zip(got, want)):
        where = "paragraph %d" % (i + 1)
        if text is pictures:
            picture_paragraph = p
            text = ""
        check(p.text == text, "%s: text %r, expected %r" % (where, p.text, text))
        check(p.alignment == align, "%s: alignment %s, expected %s" % (where, p.alignment, align))
        mark_size, mark_bold = mark_properties(p)
        check(mark_size == size, "%s: size %s, expected %s" % (where, mark_size, size))
        check(mark_bold, "%s: paragraph mark not bold" % where)
        for run in p.runs:
            check(run.font.size is not None and run.font.size.pt == size,
                  "%s: a run of size %s, expected %s" % (where, run.font.size, size))
            check(run.bold is True, "%s: a run is not bold" % where)

    shapes = doc.inline_shapes
    count = len(expected.get("pictures", [])) or expected.get("pictureCount", 0)
    check(len(shapes) == count, "%d inline pictures, expected %d" % (len(shapes), count))
    if picture_paragraph is None:
        return
    blips = picture_paragraph._p.xpath(".//a:blip")
    check(len(blips) == len(shapes), "the pictures are not all in one paragraph")
    blobs = [doc.part.related_parts[b.get(qn("r:embed"))].blob for b in blips]
    for i, file_name in enumerate(expected.get("pictures", [])):
        with open(file_name, "rb") as f:
            check(i < len(blobs) and blobs[i] == f.read(),
                  "picture %d is not the bytes of %s" % (i + 1, file_name))

    # Pixel size at 96 dpi, scaled down by one factor only as far as the text width needs.
    section = doc.sections[0]
    text_width = section.page_width - section.left_margin - section.right_margin
    natural = [Image.from_blob(b) for b in blobs]
    natural_width = sum(abs(im.px_width) * 9525 for im in natural)
    factor = min(1.0, text_width / natural_width) if natural_width else 1.0
    check(sum(s.width for s in shapes) <= text_width, "the pictures overflow the text width")
    for i, (shape, im) in enumerate(zip(shapes, natural)):
        w, h = abs(im.px_width) * 9525 * factor, abs(im.px_height) * 9525 * factor
        check(abs(shape.width - w) <= 2 and abs(shape.height - h) <= 2,
              "picture %d is %dx%d EMU, expected about %dx%d" % (i + 1, shape.width,
                                                                   shape.height, w, h))


def main():
    path, expectation = sys.argv[1], sys.argv[2]
    with open(expectation, encoding="utf-8") as f:
        expected = json.load(f)
    check_package(path)
    if not problems:  # python-docx cannot open a broken package
        check_document(path, expected)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

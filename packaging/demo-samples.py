#!/usr/bin/env python3
"""Fills a demo home folder with the kind of clutter Tovrin sorts.

Usage: demo-samples.py HOME
"""
import os
import struct
import sys
import time
import zlib


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data if isinstance(data, bytes) else data.encode())


def png(width, height, colour, stripe):
    """A real PNG: a flat colour with a darker band, like a screenshot's title bar."""
    rows = []
    for y in range(height):
        pixel = stripe if y < height // 8 else colour
        rows.append(b"\x00" + bytes(pixel) * width)
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def pdf(lines):
    """A one-page PDF whose text a PDF reader can extract."""
    text = "BT /F1 14 Tf 72 720 Td 18 TL " + " ".join(
        "(%s) '" % line.replace("(", "[").replace(")", "]") for line in lines) + " ET"
    objects = [
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
        "/Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
        "<< /Length %d >>\nstream\n%s\nendstream" % (len(text), text),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    ]
    body = "%PDF-1.4\n"
    offsets = []
    for number, obj in enumerate(objects, 1):
        offsets.append(len(body))
        body += "%d 0 obj\n%s\nendobj\n" % (number, obj)
    xref = len(body)
    body += "xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    body += "".join("%010d 00000 n \n" % offset for offset in offsets)
    body += "trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return body.encode("latin-1")


def main():
    home = sys.argv[1]
    desk = os.path.join(home, "Desktop")
    down = os.path.join(home, "Downloads")
    os.makedirs(os.path.join(home, "Documents"), exist_ok=True)

    shades = [(236, 240, 245), (250, 244, 232), (232, 245, 236), (245, 236, 244)]
    for i in range(6):
        write(os.path.join(desk, "Screenshot 2026-11-%02d at 10.%02d.14.png" % (3 + i, 10 + i)),
              png(320, 200, shades[i % 4], (60, 60, 66)))
    for i in range(4):
        write(os.path.join(down, "IMG_%04d.png" % (4021 + i)),
              png(240, 180, shades[(i + 1) % 4], (120, 110, 100)))

    write(os.path.join(down, "Invoice-2026-041.pdf"),
          pdf(["Kite Studio", "Invoice 2026-041", "Logo refresh, three rounds", "Total: EUR 1,800"]))
    write(os.path.join(down, "lease_agreement_final_v3.pdf"),
          pdf(["Residential lease agreement", "Flat 4, 12 Harbour Road", "Term: 12 months"]))
    write(os.path.join(down, "document (1).pdf"),
          pdf(["Pellmark brand guidelines", "Colours, type and logo use", "Version 2"]))
    write(os.path.join(down, "boarding-pass.pdf"),
          pdf(["Boarding pass", "Flight TV 482 to Lisbon", "Seat 14C"]))

    write(os.path.join(desk, "notes.txt"),
          "Pellmark launch\n- confirm print run\n- send the logo files to the printer\n")
    write(os.path.join(desk, "untitled.txt"), "shopping: oat milk, lemons, coffee beans\n")
    write(os.path.join(desk, "meeting notes 12 nov.md"),
          "# Kite Studio weekly\nAgreed the homepage copy; next review on Friday.\n")
    write(os.path.join(desk, "ideas.txt"), "A podcast about tidy desks?\n")

    write(os.path.join(down, "tool_2.4.1_amd64.deb"), b"!<arch>\n" + os.urandom(4096))
    write(os.path.join(down, "big-video.mp4.crdownload"), os.urandom(2048))
    write(os.path.join(down, "empty.txt"), b"")

    # Exact duplicates: the same invoice downloaded twice, the same note copied.
    with open(os.path.join(down, "Invoice-2026-041.pdf"), "rb") as original:
        write(os.path.join(down, "Invoice-2026-041 (1).pdf"), original.read())
    write(os.path.join(desk, "notes copy.txt"),
          "Pellmark launch\n- confirm print run\n- send the logo files to the printer\n")

    # Spread the files over the past weeks, as real clutter is.
    now = time.time()
    for folder in (desk, down):
        for n, name in enumerate(sorted(os.listdir(folder))):
            stamp = now - (n + 1) * 3 * 3600
            os.utime(os.path.join(folder, name), (stamp, stamp))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Builds the synthetic scan tree: 25,000 files directly in Desktop and Downloads."""
import os, random, sys, zipfile

root = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 25000
rng = random.Random(7)
dirs = [os.path.join(root, "Desktop"), os.path.join(root, "Downloads")]
for d in dirs:
    os.makedirs(d, exist_ok=True)

PDF = (b"%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
       b"2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
       b"3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]/Contents 4 0 R"
       b"/Resources<</Font<</F1 5 0 R>>>>>>endobj\n"
       b"4 0 obj<</Length 44>>stream\nBT /F1 12 Tf 20 100 Td (Invoice %d) Tj ET\nendstream endobj\n"
       b"5 0 obj<</Type/Font/Subtype/Type1/BaseFont/Helvetica>>endobj\ntrailer<</Root 1 0 R>>\n%%%%EOF\n")

made = []
big = 0
for i in range(count):
    d = dirs[i % 2]
    r = rng.random()
    if made and r < 0.10:                      # exact duplicates
        src = rng.choice(made)
        name = "copy %d of %s" % (i, os.path.basename(src))
        with open(src, "rb") as f, open(os.path.join(d, name), "wb") as g:
            g.write(f.read())
        continue
    if r < 0.14:
        name = "archive %d.zip" % i
        with zipfile.ZipFile(os.path.join(d, name), "w") as z:
            z.writestr("readme.txt", "hello %d" % i)
    elif r < 0.18:
        name = "invoice %d.pdf" % i
        with open(os.path.join(d, name), "wb") as f:
            f.write(PDF.replace(b"%d", str(i).encode()))
    elif r < 0.40:
        name = "notes %d.txt" % i
        with open(os.path.join(d, name), "w") as f:
            f.write(("Meeting notes %d " % i) * rng.randint(5, 400))
    elif r < 0.4012 and big < 30:
        big += 1
        name = "video %d.mp4" % i
        with open(os.path.join(d, name), "wb") as f:
            f.write(os.urandom(rng.randint(1, 30) * 1024 * 1024))
    else:
        name = "IMG_%05d.jpg" % i
        with open(os.path.join(d, name), "wb") as f:
            f.write(os.urandom(rng.randint(2000, 60000)))
    made.append(os.path.join(d, name))
print(len(made), "originals,", big, "large files")

#!/usr/bin/env python3
# Writes the small dictd dictionaries the reader tests use: a dictzip one
# with chunks of 64 bytes (so that entries span chunks), a plain one, and
# one compressed with plain gzip (no chunk table), which must be left out.
import gzip, struct, zlib

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

def b64(n):
    s = ""
    while True:
        s = B64[n % 64] + s
        n //= 64
        if n == 0:
            return s

def key(headword):
    return "".join(c.lower() for c in headword if c.isalnum() or c.isspace())

def build(entries):
    text = b""
    lines = []
    for headword, body in entries:
        data = body.encode("utf-8")
        lines.append((key(headword), headword, len(text), len(data)))
        text += data
    lines.sort(key=lambda l: l[0].encode("utf-8"))
    index = "".join(f"{h}\t{b64(o)}\t{b64(n)}\n" for _, h, o, n in lines)
    return index.encode("utf-8"), text

def dictzip(text, chunk):
    chunks = [text[i:i + chunk] for i in range(0, len(text), chunk)]
    sizes, body = [], b""
    z = zlib.compressobj(9, zlib.DEFLATED, -15)
    for i, c in enumerate(chunks):
        part = z.compress(c) + z.flush(zlib.Z_FULL_FLUSH if i + 1 < len(chunks) else zlib.Z_FINISH)
        sizes.append(len(part))
        body += part
    ra = struct.pack("<HHH", 1, chunk, len(chunks)) + b"".join(struct.pack("<H", s) for s in sizes)
    extra = b"RA" + struct.pack("<H", len(ra)) + ra
    header = bytes([0x1f, 0x8b, 8, 4 | 8]) + b"\0\0\0\0" + bytes([2, 3])
    header += struct.pack("<H", len(extra)) + extra + b"fixture\0"
    return header + body + struct.pack("<II", zlib.crc32(text), len(text) & 0xffffffff)

english = [
    ("00-database-utf8", "\n"),
    ("00-database-short", "Lectern test English-French\n"),
    ("a few", "a few\nquelques\n"),
    ("abacus", "abacus\nboulier\n"),
    ("bank", "bank /bæŋk/\nbanque (f)\n"),
    ("bank", "bank /bæŋk/\nrive (f), berge (f)\n"),
    ("creature", "creature /kriːtʃə/\ncréature (f), être (m)\n"),
    ("planet", "planet\nplanète (f)\n"),
    ("star", "star\nétoile (f)\n"),
    ("sun", "sun\nsoleil (m)\n"),
    ("walk", "walk\nmarcher ; promenade (f)\n"),
    ("zebra", "zebra\nzèbre (m)\n"),
]
index, text = build(english)
open("fixture-eng-fra.index", "wb").write(index)
open("fixture-eng-fra.dict.dz", "wb").write(dictzip(text, 64))

french = [
    ("00-database-utf8", "\n"),
    ("étoile", "étoile\nstar\n"),
    ("planète", "planète\nplanet\n"),
    ("soleil", "soleil\nsun\n"),
]
index, text = build(french)
open("fixture-fra-eng.index", "wb").write(index)
open("fixture-fra-eng.dict", "wb").write(text)

index, text = build(english)
open("broken-eng-deu.index", "wb").write(index)
open("broken-eng-deu.dict.dz", "wb").write(gzip.compress(text))

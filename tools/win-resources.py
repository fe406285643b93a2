#!/usr/bin/env python3
"""Pictures for the Windows resource file, made from the PNGs the Qt build uses, and the
bitmaps the Qt build shows without decoding them.

    win-resources.py bmp IN.png OUT.bmp       8-bit RGB or RGBA PNG to a 24-bit BMP
    win-resources.py view IN OUT.bmp          PNG or 24-bit BMP to a top-down 24-bit BMP whose
                                              rows start 64 bytes in, so they can be read in place
    win-resources.py view32 IN OUT.bmp        the same in 32 bits, the fourth byte unused (255):
                                              drawn scaled several times faster than 24 bits
    win-resources.py icon-view IN.png OUT.bmp RGBA PNG to a top-down 32-bit BMP with an alpha
                                              mask (a version 4 header), rows 128 bytes in
    win-resources.py ico OUT.ico IN.png...    PNG images packed as one icon (Vista and later)
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), path + ": only 8-bit RGB or RGBA"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for x in range(stride):
            a = row[x - step] if x >= step else 0
            b = previous[x]
            c = previous[x - step] if x >= step else 0
            if kind == 1:
                row[x] = (row[x] + a) & 255
            elif kind == 2:
                row[x] = (row[x] + b) & 255
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row))
        previous = row
    return width, height, step, rows


def read_bmp_rows(path):
    """A 24-bit uncompressed BMP as read_png gives a picture: RGB rows from the top."""
    data = open(path, "rb").read()
    offset, = struct.unpack("<I", data[10:14])
    width, height, planes, bits, compression = struct.unpack("<iiHHI", data[18:34])
    assert data[:2] == b"BM" and bits == 24 and compression == 0, path + ": only 24-bit BMP"
    stride = (width * 3 + 3) & ~3
    rows = [bytes(b for x in range(width) for b in reversed(data[at + x * 3:at + x * 3 + 3]))
            for at in (offset + y * stride for y in range(abs(height)))]
    return width, abs(height), 3, rows if height < 0 else rows[::-1]


def write_bmp(source, target, top_down=False, offset=54, bits=24, alpha=False):
    width, height, step, rows = read_png(source) if source.endswith(".png") else read_bmp_rows(source)
    assert step == 4 or not alpha, source + ": no alpha channel"
    pad = (4 - width * bits // 8 % 4) % 4

    def pixel(row, x):
        a = row[x + 3] if alpha else 255
        return bytes((row[x + 2], row[x + 1], row[x], a)[:bits // 8])

    pixels = b"".join(
        b"".join(pixel(row, x) for x in range(0, width * step, step))
        + b"\0" * pad for row in (rows if top_down else reversed(rows)))
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 108 if alpha else 40, width, -height if top_down else height,
                       1, bits, 3 if alpha else 0, len(pixels), 3780, 3780, 0, 0)
    if alpha:  # BI_BITFIELDS: red, green, blue and alpha masks, then the sRGB colour space
        info += struct.pack("<4I", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        info += struct.pack("<4s", b"BGRs") + b"\0" * 48
    open(target, "wb").write(header + info + b"\0" * (offset - 14 - len(info)) + pixels)


def write_ico(target, sources):
    images = [open(path, "rb").read() for path in sources]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for path, image in zip(sources, images):
        width, height = struct.unpack(">II", image[16:24])
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    open(target, "wb").write(out + b"".join(images))


if __name__ == "__main__":
    if sys.argv[1] == "bmp":
        write_bmp(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "view":
        write_bmp(sys.argv[2], sys.argv[3], top_down=True, offset=64)
    elif sys.argv[1] == "view32":
        write_bmp(sys.argv[2], sys.argv[3], top_down=True, offset=64, bits=32)
    elif sys.argv[1] == "icon-view":
        write_bmp(sys.argv[2], sys.argv[3], top_down=True, offset=128, bits=32, alpha=True)
    else:
        write_ico(sys.argv[2], sys.argv[3:])

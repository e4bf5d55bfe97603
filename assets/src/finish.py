#!/usr/bin/python3
"""Turn a rendered RGBA PNG into the file format a window loads.

jpg OUT MATTE        flatten over MATTE and write a 4:4:4 JPEG (sharp lettering)
bmp OUT MATTE KEY    24-bit BMP for controls that draw the top-left pixel's colour
                     as transparent: fully transparent pixels become KEY, partly
                     transparent edges are blended over MATTE (the colour the icon
                     sits on), so they stay smooth once the key is cut out.
Colours are written r,g,b.
"""
import sys
from PIL import Image


def colour(text):
    r, g, b = (int(part) for part in text.split(","))
    return (r, g, b)


def flatten(src, matte):
    base = Image.new("RGBA", src.size, matte + (255,))
    return Image.alpha_composite(base, src).convert("RGB")


def write_jpg(src, out, matte):
    flatten(src, matte).save(out, "JPEG", quality=93, subsampling=0, optimize=True)


def write_bmp(src, out, matte, key):
    picture = flatten(src, matte)
    alpha = src.getchannel("A")
    hole = alpha.point(lambda a: 255 if a == 0 else 0)
    picture.paste(Image.new("RGB", src.size, key), (0, 0), hole)
    # The key must exist only where the icon is empty, or parts of the icon vanish.
    opaque = alpha.point(lambda a: 255 if a > 0 else 0)
    stray = [p for p, m in zip(picture.getdata(), opaque.getdata()) if m and p == key]
    if stray:
        sys.exit(f"{out}: key colour {key} occurs inside the icon ({len(stray)} pixels)")
    if picture.getpixel((0, 0)) != key:
        sys.exit(f"{out}: the top-left pixel is not the key colour")
    picture.save(out, "BMP")


def main(argv):
    kind, src_path, out = argv[1], argv[2], argv[3]
    src = Image.open(src_path).convert("RGBA")
    if kind == "jpg":
        write_jpg(src, out, colour(argv[4]))
    elif kind == "bmp":
        write_bmp(src, out, colour(argv[4]), colour(argv[5]))
    else:
        sys.exit(f"unknown kind {kind}")


if __name__ == "__main__":
    main(sys.argv)

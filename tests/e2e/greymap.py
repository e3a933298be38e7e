"""Reads the binary grey maps pdftoppm -gray writes: "P5", width, height, maximum, then one
byte per pixel, row by row."""


def read_greymap(path):
    raw = open(path, 'rb').read()
    fields, at = [], 0
    while len(fields) < 4:
        while raw[at:at + 1].isspace():
            at += 1
        start = at
        while not raw[at:at + 1].isspace():
            at += 1
        fields.append(raw[start:at])
    width, height = int(fields[1]), int(fields[2])
    return width, height, raw[at + 1:]

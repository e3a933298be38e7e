#!/usr/bin/env python3
"""Writes the seed ZIPs of the zip harness into fuzz/corpus/zip/ with Python's zipfile: the
public archive's form (storico.txt, tab-separated draws) deflated and stored, in a folder, among
other files, written as a stream (sizes after the data), with ZIP64 records, and the ZIPs that
are refused (no text, two texts, empty). Run it again to make them anew; they are small."""
import io
import pathlib
import random
import zipfile

out = pathlib.Path(__file__).resolve().parent / "corpus" / "zip"
out.mkdir(parents=True, exist_ok=True)

rng = random.Random(7)
lines = []
for day in range(1, 8):
    for code in ("BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"):
        numbers = rng.sample(range(1, 91), 5)
        lines.append("2024/01/%02d\t%s\t%s" % (day, code, "\t".join(map(str, numbers))))
text = ("\r\n".join(lines) + "\r\n").encode()
bad = b"2024/01/02\tBA\t1\t2\t3\t4\r\nnon una riga\r\n" + text[:200]


class Stream(io.RawIOBase):
    """A file that cannot seek, so zipfile writes each entry's sizes after its data."""

    def __init__(self):
        self.data = bytearray()

    def writable(self):
        return True

    def write(self, b):
        self.data += b
        return len(b)


def make(name, entries, compression=zipfile.ZIP_DEFLATED, stream=False, zip64=False):
    target = Stream() if stream else io.BytesIO()
    with zipfile.ZipFile(target, "w", compression) as z:
        for entry, data in entries:
            if stream or zip64:
                info = zipfile.ZipInfo(entry)
                info.compress_type = compression
                with z.open(info, "w", force_zip64=zip64) as f:
                    f.write(data)
            else:
                z.writestr(entry, data)
    blob = bytes(target.data) if stream else target.getvalue()
    (out / name).write_bytes(blob)


make("storico.zip", [("storico.txt", text)])
make("memorizzato.zip", [("storico.txt", text)], zipfile.ZIP_STORED)
make("cartella.zip", [("LOTTO/", b""), ("LOTTO/STORICO.TXT", text)])
make("tra_altri.zip", [("leggimi.txt", b"ciao"), ("storico.txt", bad), ("dati.csv", b"1,2")])
make("solo_un_txt.zip", [("estrazioni.txt", text)])
make("a_flusso.zip", [("storico.txt", text)], stream=True)
make("zip64.zip", [("storico.txt", text)], zip64=True)
make("nessun_txt.zip", [("storico.csv", text)])
make("due_txt.zip", [("a.txt", text), ("b.txt", text)])
make("vuoto.zip", [])

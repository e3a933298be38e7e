"""Writes the files of the command-line check test and the output the check must give,
worked out here from the payout rules alone, with exact fractions.

    verifica_expected.py FOLDER [WITHHOLDING_PERCENT] [FROM TO]
Writes FOLDER/sistema.zlm and FOLDER/archivio.txt, and prints the expected standard output.
"""
import struct
import sys
from fractions import Fraction
from math import comb, floor

SQUARE = [[7, 12, 23, 34], [45, 7, 56, 67], [78, 89, 7, 1], [2, 13, 24, 7]]
STAKES = [1.15, 0.25, 0.10]  # Ambo, Terno, Quaterna, stored as 32-bit floats
WHEEL = "Roma"

# Every accepted form of a line, draws on other wheels, and lines that must be skipped.
ARCHIVE = """# archivio di prova
2024/01/02\tRM\t7\t12\t45\t80\t81
2024-01-04 ROMA 12 7 23 1 2
04/01/2024,BA,7,12,23,34,45

06/01/2024;ro;7;12;23;34;90
2024/01/09  roma  , 45 ,7, 89 ,13, 50
2024/01/11\tRM\t1\t2\t3\t4\t5
   # un commento rientrato
2024/01/13 RM 78 89 7 1 2
2024/01/16 RM 7 12 23 34
2024/01/16 RM 7 12 23 34 45 46
2024/01/18 RM 0 12 23 34 45
2024/01/18 RM 91 12 23 34 45
2024/01/18 RM 12 12 23 34 45
2023/02/29 RM 7 12 23 34 45
2024/01/18 XX 7 12 23 34 45
2024.01.18 RM 7 12 23 34 45
2024/01/02 RM 81 80 45 12 7
2024/01/02 RM 7 12 45 80 82
2024/01/20 Nazionale 7 12 23 34 45
2024/01/20 NZ 7 12 23 34 45
2024/01/23 RM 7 45 78 2 88
"""


def cents(value):
    """Rounds an exact amount in euro to the cent, halves away from zero."""
    c = value * 100
    return floor(c + Fraction(1, 2))


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def plays():
    rows = [list(r) for r in SQUARE]
    cols = [[SQUARE[i][k] for i in range(4)] for k in range(4)]
    return rows + cols


def draws_on_roma(text):
    """The draws of Roma, read here by hand from the lines above, first of a date kept."""
    import re
    seen = {}
    for line in text.splitlines():
        s = line.strip()
        if not s or s.startswith("#"):
            continue
        f = [x for x in re.split(r"[ \t,;]+", s) if x]
        if len(f) != 7 or f[1].lower() not in ("rm", "ro", "roma"):
            continue
        d = f[0]
        m = re.fullmatch(r"(\d{4})[/-](\d{1,2})[/-](\d{1,2})", d)
        if m:
            y, mo, da = map(int, m.groups())
        else:
            m = re.fullmatch(r"(\d{1,2})/(\d{1,2})/(\d{4})", d)
            if not m:
                continue
            da, mo, y = map(int, m.groups())
        import datetime
        try:
            date = datetime.date(y, mo, da)
        except ValueError:
            continue
        nums = [int(x) for x in f[2:]]
        if any(n < 1 or n > 90 for n in nums) or len(set(nums)) != 5:
            continue
        seen.setdefault(date, nums)
    return sorted(seen.items())


def main():
    folder = sys.argv[1]
    withholding = Fraction(sys.argv[2]) / 100 if len(sys.argv) > 2 else Fraction(8, 100)
    start = end = None
    if len(sys.argv) > 4:
        import datetime
        start = datetime.date.fromisoformat(sys.argv[3])
        end = datetime.date.fromisoformat(sys.argv[4])

    stakes = [Fraction(f32(s)) for s in STAKES]
    record = b"Zelmoravintesca" + WHEEL.encode("cp1252").ljust(10) + b"prova.zlm".ljust(20)
    record += struct.pack("<f", f32(8 * sum(STAKES)))
    record += bytes(n for row in SQUARE for n in row)
    record += bytes(SQUARE[i][k] for k in range(4) for i in range(4))
    record += bytes([7]) + struct.pack("<3f", *STAKES) + struct.pack("<3f", 0, 0, 0)
    open(f"{folder}/sistema.zlm", "wb").write(record)
    open(f"{folder}/archivio.txt", "w").write(ARCHIVE)

    def gross_of(k):
        return (cents(comb(k, 2) * stakes[0] * 250 / 6) + cents(comb(k, 3) * stakes[1] * 4500 / 4)
                + (cents(stakes[2] * 120000) if k == 4 else 0))

    def net_of(g):
        return cents(Fraction(g, 100) * (1 - withholding))

    def amount(c):
        return f"{c // 100}.{c % 100:02d}"

    staked_per_draw = 8 * sum(cents(s) for s in stakes)
    checked = winning = gross_total = net_total = 0
    for date, nums in draws_on_roma(ARCHIVE):
        if start and (date < start or date > end):
            continue
        checked += 1
        draw_gross = 0
        for i, play in enumerate(plays(), 1):
            k = len(set(play) & set(nums))
            g = gross_of(k)
            if g:
                print(f"{date.isoformat()}\t{WHEEL}\t{i}\t{k}\t{amount(g)}\t{amount(net_of(g))}")
                draw_gross += g
        if draw_gross:
            winning += 1
            gross_total += draw_gross
            net_total += net_of(draw_gross)
    print(f"TOTAL\t{checked}\t{winning}\t{amount(checked * staked_per_draw)}\t"
          f"{amount(gross_total)}\t{amount(net_total)}")


main()

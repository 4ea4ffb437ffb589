# Reads a CSV export as an analyst would, pandas.read_csv(f) with no option, and prints
# the row count, then for each row each requested column: its UTF-8 bytes in hex, or
# VIDE when missing. Integral reals print as integers (a column with a gap is real).
# With --tableur first, the French spreadsheet's form: ";", decimal comma, byte order mark.
import sys

import pandas

arguments = sys.argv[1:]
if arguments[0] == "--tableur":
    d = pandas.read_csv(arguments[1], sep=";", decimal=",", encoding="utf-8-sig")
else:
    d = pandas.read_csv(arguments[0])
arguments = arguments[2:] if arguments[0] == "--tableur" else arguments[1:]
print("lignes", len(d))
for i in range(len(d)):
    for colonne in arguments:
        v = d[colonne].iloc[i]
        if pandas.isna(v) or v == "":
            print("VIDE")
            continue
        if isinstance(v, float) and v.is_integer():
            v = int(v)
        print(str(v).encode("utf-8").hex())

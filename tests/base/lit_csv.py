# Reads a CSV export as an analyst would, pandas.read_csv(f) with no option, and prints
# the row count, then for each row each requested column: its UTF-8 bytes in hex, or
# VIDE when missing. Integral reals print as integers (a column with a gap is real).
import sys

import pandas

d = pandas.read_csv(sys.argv[1])
print("lignes", len(d))
for i in range(len(d)):
    for colonne in sys.argv[2:]:
        v = d[colonne].iloc[i]
        if pandas.isna(v) or v == "":
            print("VIDE")
            continue
        if isinstance(v, float) and v.is_integer():
            v = int(v)
        print(str(v).encode("utf-8").hex())

#!/usr/bin/env bash
# genere_base_mots.sh [SORTIE]
#
# Writes the French word base of the word-pair tool (default: exemple/tout.txt)
# from the lexicon of Debian's python3-grammalecte package, which lists every
# inflected form with its lemma. One lemma gives one line, or several when it
# has more than 20 forms (20 forms a line, the same key on each):
#
#     KEY FORM FORM ...
#
# KEY is the lemma (its length is the line's class); the forms are the lemma
# first, then the others in conjugation or declension order (verbs: infinitive,
# present, imperfect, simple past, future, conditional, subjunctive present and
# imperfect, imperative, present participle, past participles; nouns and
# adjectives: m.sg, m.pl, f.sg, f.pl). Only lower-case words whose letters all
# exist in Windows-1252 are kept (no apostrophe, hyphen, digit, capital);
# symbols ("kg") are left out and a prefixed unit ("centimètre") gets a lemma
# of its own. Lines are ordered by key length, then alphabetically (accents
# ignored first, then exact), so the lines of a class stand together.
# Windows-1252, CR LF after every line. The output depends only on the
# installed lexicon: running the script again rewrites the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
sortie="${1:-exemple/tout.txt}"

manquants=()
[ -x /usr/bin/python3 ] || manquants+=(python3)
dpkg-query -W -f='${Status}' python3-grammalecte 2>/dev/null | grep -q 'install ok installed' \
    || manquants+=(python3-grammalecte)
if [ ${#manquants[@]} -gt 0 ]; then
    echo "installation : ${manquants[*]}" >&2
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}" >&2
fi

# The system interpreter sees the Debian package; a user's own python may not.
exec /usr/bin/python3 - "$sortie" <<'PYEOF'
import os
import sys
import unicodedata
from grammalecte.graphspell.ibdawg import IBDAWG

MOTS_PAR_LIGNE = 20
sortie = sys.argv[1]


def mot_simple(m):
    """Lower-case letters only, each one in Windows-1252."""
    if not m:
        return False
    for c in m:
        if not (c.isalpha() and c.islower()):
            return False
        try:
            c.encode("cp1252")
        except UnicodeEncodeError:
            return False
    return True


NATURES = {"V": 0, "N": 1, "A": 2, "W": 3}
TEMPS = ["Y", "Ip", "Iq", "Is", "If", "K", "Sp", "Sq", "E", "P", "Q"]
PERSONNES = ["1s", "1ś", "1ŝ", "2s", "3s", "1p", "2p", "3p", "3p!"]
GENRES = {"m": 0, "f": 1, "e": 2}
NOMBRES = {"s": 0, "p": 1, "i": 2}


def rang_forme(etiquettes):
    """Order of one analysis, e.g. ':V1_it____a:Ip:Sp:1s:3s/*'."""
    t = etiquettes.split("/")[0].split(":")[1:]
    if not t:
        return (9, 99, 99, 9, 9)
    nature = NATURES.get(t[0][:1], 4)
    reste = t[1:]
    temps = min([TEMPS.index(x) for x in reste if x in TEMPS] or [len(TEMPS)])
    personne = min([PERSONNES.index(x) for x in reste if x in PERSONNES] or [len(PERSONNES)])
    genre = next((GENRES[x] for x in reste if x in GENRES), 3)
    nombre = next((NOMBRES[x] for x in reversed(reste) if x in NOMBRES), 3)
    return (nature, temps, personne, genre, nombre)


def ordre_alphabetique(m):
    sans_accents = "".join(c for c in unicodedata.normalize("NFD", m)
                           if not unicodedata.combining(c))
    return (sans_accents, m)


def sous_etiquettes(etiquettes):
    return etiquettes.split("/")[0].split(":")[-1].split(";")[1:]


entrees = []       # (forme, lemme, étiquettes, unité)
for forme, lemme, etiquettes in IBDAWG("fr-classic.json").select():
    sous = sous_etiquettes(etiquettes)
    if "S" in sous:                 # symbols: "kg", "mm", "Hz", ...
        continue
    entrees.append((forme, lemme, etiquettes, "U" in sous))

# A prefixed unit ("centimètres") comes under the plain unit's lemma ("mètre");
# it gets a lemma of its own ("centimètre") instead.
formes_unite = {}
for forme, lemme, etiquettes, unite in entrees:
    if unite and forme.startswith(lemme):
        formes_unite.setdefault(lemme, set()).add(forme)

meilleur = {}      # lemme -> {forme: meilleur rang}
for forme, lemme, etiquettes, unite in entrees:
    if unite:
        fins = [f for f in formes_unite.get(lemme, ()) if forme.endswith(f)]
        if not fins:
            continue
        fin = max(fins, key=lambda f: (len(f), f))
        lemme = forme[:len(forme) - len(fin)] + lemme
    if not mot_simple(lemme) or not mot_simple(forme):
        continue
    r = rang_forme(etiquettes)
    formes = meilleur.setdefault(lemme, {})
    if forme not in formes or r < formes[forme]:
        formes[forme] = r

temporaire = sortie + ".tmp"
nb_lignes = 0
with open(temporaire, "wb") as f:
    for lemme in sorted(meilleur, key=lambda k: (len(k), ordre_alphabetique(k))):
        formes = meilleur[lemme]
        ordre = sorted(formes, key=lambda m: (m != lemme, formes[m], ordre_alphabetique(m)))
        for i in range(0, len(ordre), MOTS_PAR_LIGNE):
            ligne = lemme + " " + " ".join(ordre[i:i + MOTS_PAR_LIGNE]) + "\r\n"
            f.write(ligne.encode("cp1252"))
            nb_lignes += 1
os.replace(temporaire, sortie)
print(f"{sortie} : {nb_lignes} lignes, {os.path.getsize(sortie)} octets", file=sys.stderr)
PYEOF

#!/usr/bin/env python3
"""Lists, through AT-SPI, the controls of the running Fantrel window that a screen
reader finds, with their role and name, and fails on a control without a name.
Run inside the same D-Bus session as the program (see scripts/verifie_accessibilite.sh)."""
import sys
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

ROLES_SANS_TEXTE = {"text", "scroll bar", "panel", "canvas", "filler", "frame", "layered pane", "unknown"}


def parcourt(objet, profondeur, sans_nom, vus):
    for i in range(objet.get_child_count()):
        enfant = objet.get_child_at_index(i)
        if enfant is None:
            continue
        role = enfant.get_role_name()
        nom = enfant.get_name() or ""
        print("  " * profondeur + f"{role}: {nom!r}")
        vus.append((role, nom))
        if not nom and role in {"text", "scroll bar", "push button", "check box", "radio button"}:
            sans_nom.append(role)
        parcourt(enfant, profondeur + 1, sans_nom, vus)


def main():
    bureau = Atspi.get_desktop(0)
    for i in range(bureau.get_child_count()):
        appli = bureau.get_child_at_index(i)
        if appli and "fantrel" in (appli.get_name() or "").lower():
            sans_nom, vus = [], []
            parcourt(appli, 0, sans_nom, vus)
            attendus = ["Mire", "Fichier de mots", "Hauteur", "Largeur", "Fichier résultats", "Vue du mot"]
            manquants = [a for a in attendus if not any(n == a for _, n in vus)]
            print(f"{len(vus)} objets, {len(sans_nom)} sans nom, manquants: {manquants}")
            return 1 if (sans_nom or manquants) else 0
    print("Fantrel introuvable sur le bus d'accessibilité")
    return 2


sys.exit(main())

#!/usr/bin/env python3
"""Lists, through AT-SPI, the controls of the running Fantrel window that a screen
reader finds, with their role, name and description, and fails on a control shown
without a name, on a role read as a name instead of a caption, or on an expected
name or description missing.
Run inside the same D-Bus session as the program (see scripts/verifie_accessibilite.sh)."""
import sys
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

ROLES_NOMMES = {"text", "scroll bar", "push button", "check box", "radio button"}
# Names a person sees on the controls (captions, the labels beside the boxes).
NOMS_ATTENDUS = ["Mire", "Fichier de mots", "Hauteur", "Largeur", "Fichier résultats", "Vue du mot",
                 "Concentrez vous sur le leurre et cliquez ici"]
# Roles of controls whose caption changes or says little ("?", "X"): descriptions,
# never names, or the screen reader would not read the caption.
ROLES = ["Réponse gauche", "Réponse droite", "Je ne sais pas", "Fermer les réglages"]


def parcourt(objet, profondeur, dans_un_texte, vus):
    for i in range(objet.get_child_count()):
        enfant = objet.get_child_at_index(i)
        if enfant is None:
            continue
        role = enfant.get_role_name()
        nom = enfant.get_name() or ""
        description = enfant.get_description() or ""
        montre = enfant.get_state_set().contains(Atspi.StateType.SHOWING)
        print("  " * profondeur + f"{role}: {nom!r}" + (f" ({description})" if description else "")
              + ("" if montre else " [caché]"))
        # The scroll bars of a text area are its own parts, read with it.
        vus.append((role, nom, description, montre, dans_un_texte))
        parcourt(enfant, profondeur + 1, dans_un_texte or role == "text", vus)


def main():
    bureau = Atspi.get_desktop(0)
    for i in range(bureau.get_child_count()):
        appli = bureau.get_child_at_index(i)
        if appli and "fantrel" in (appli.get_name() or "").lower():
            vus = []
            parcourt(appli, 0, False, vus)
            sans_nom = [r for r, n, _, montre, dedans in vus
                        if montre and not dedans and not n and r in ROLES_NOMMES]
            manquants = [a for a in NOMS_ATTENDUS if not any(n == a for _, n, *_ in vus)]
            roles_nommes = [n for _, n, *_ in vus if n in ROLES]
            roles_absents = [r for r in ROLES if not any(d == r for _, _, d, *_ in vus)]
            print(f"{len(vus)} objets, {len(sans_nom)} montrés sans nom, manquants: {manquants}, "
                  f"rôles lus comme noms: {roles_nommes}, descriptions absentes: {roles_absents}")
            return 1 if (sans_nom or manquants or roles_nommes or roles_absents) else 0
    print("Fantrel introuvable sur le bus d'accessibilité")
    return 2


sys.exit(main())

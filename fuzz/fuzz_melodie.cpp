// The melody parser with the insertion of the incongruous shift, on a melody file
// of any content.
// Properties: a line parses into one entry per token, each a rest of one base
// duration or an audible note of 1, 2 or 4 base durations; the schedule runs
// forward; the shift inserted at the end lands after the last note, trailing rests
// and blanks skipped; inserted at random, it lands right after a note that carries
// no shift yet, and a line that read still reads; either way it only inserts, adds
// no token, and changes at most one entry.
#include "commun.h"
#include "music/incongruite.h"
#include "music/melodie.h"
#include "platform/erreurs.h"
#include "platform/hasard.h"
#include <optional>

using namespace fantrel;

namespace {

std::optional<QVector<music::Note>> notes_de(const QString &notes)
{
    try {
        return music::analyse_notes(notes);
    } catch (const platform::ErreurExecution &) {
        return std::nullopt; // a shift whose numbers are not integers: the test ends on the error
                             // box
    }
}

void verifie_notes(const QString &texte, const QVector<music::Note> &notes, int rythme)
{
    int jetons = 0;
    for (QStringView j : QStringView(texte).split(u' '))
        jetons += !j.isEmpty();
    FUZZ_VERIFIE(notes.size() == jetons, "une entrée par jeton non vide", texte);
    for (const music::Note &n : notes) {
        if (n.frequence == 0)
            FUZZ_VERIFIE(n.duree == music::duree_base_melodie, "un silence dure une durée de base",
                         texte);
        else
            FUZZ_VERIFIE(n.frequence >= music::frequence_min && n.frequence <= music::frequence_max
                                 && (n.duree == music::duree_base_melodie
                                     || n.duree == 2 * music::duree_base_melodie
                                     || n.duree == 4 * music::duree_base_melodie),
                         "une note est audible et dure 1, 2 ou 4 durées de base", texte);
    }
    const QVector<qint64> horaire = horaire_notes(notes, rythme);
    FUZZ_VERIFIE(horaire.size() == notes.size() + 1 && horaire.front() == rythme,
                 "un départ par note, puis la fin");
    for (qsizetype k = 1; k < horaire.size(); ++k)
        FUZZ_VERIFIE(horaire[k] > horaire[k - 1], "les départs vont en avançant");
}

// `apres` is `avant` with `decalage` inserted at one place: returns the last such
// place (an insertion next to an equal text could stand on either side), or -1.
qsizetype place_insertion(const QString &avant, const QString &apres, const QString &decalage)
{
    const qsizetype n = avant.size();
    if (apres.size() != n + decalage.size())
        return -1;
    qsizetype prefixe = 0;
    while (prefixe < n && avant[prefixe] == apres[prefixe])
        ++prefixe;
    qsizetype suffixe = 0;
    while (suffixe < n && avant[n - 1 - suffixe] == apres[apres.size() - 1 - suffixe])
        ++suffixe;
    for (qsizetype p = prefixe; p >= 0 && p >= n - suffixe; --p)
        if (QStringView(apres).mid(p, decalage.size()) == decalage)
            return p;
    return -1;
}

// The notes before and after the insertion: as many, and at most one different (an
// ill-formed token such as "nla2-x", a rest, may turn into a note once cut before the
// shift, with its own duration).
void verifie_effet(const QString &avant, const QString &apres, const char *ou)
{
    const auto a = notes_de(avant);
    const auto b = notes_de(apres);
    if (!a || !b)
        return;
    FUZZ_VERIFIE(a->size() == b->size(), ou, apres);
    int changees = 0;
    for (qsizetype k = 0; k < a->size(); ++k)
        changees += (*a)[k] != (*b)[k];
    FUZZ_VERIFIE(changees <= 1, "le décalage change au plus une note",
                 avant + QStringLiteral(" → ") + apres);
}

void verifie_insertions(const QString &notes, const QString &saisie, unsigned graine)
{
    const QString decalage = music::texte_decalage(saisie);
    FUZZ_VERIFIE(!decalage.contains(u' '), "le texte du décalage n'a pas de blanc", saisie);

    const QString fin = music::insere_a_la_fin(notes, decalage);
    const qsizetype p = place_insertion(notes, fin, decalage);
    FUZZ_VERIFIE(p >= 0, "à la fin : le décalage est seulement inséré", fin);
    for (QChar c : QStringView(notes).mid(p))
        FUZZ_VERIFIE(c == u' ' || c == u'-', "à la fin : seuls des silences et des blancs suivent",
                     fin);
    FUZZ_VERIFIE(p == 0 || (notes[p - 1] != u' ' && notes[p - 1] != u'-'),
                 "à la fin : juste après la dernière note", fin);
    if (p > 0)
        verifie_effet(notes, fin, "à la fin : le décalage ne fait pas de nouveau jeton");

    platform::Hasard hasard;
    hasard.graine(graine);
    const QString tire = music::insere_au_hasard(notes, decalage, hasard);
    bool note_libre = false;
    for (QStringView j : QStringView(notes).split(u' '))
        note_libre = note_libre || music::est_note_sans_decalage(j);
    if (tire == notes) {
        FUZZ_VERIFIE(!note_libre, "au hasard : le décalage est placé dès qu'une note n'en a pas",
                     notes);
        return;
    }
    const qsizetype q = place_insertion(notes, tire, decalage);
    FUZZ_VERIFIE(q >= 1, "au hasard : le décalage est seulement inséré, après un jeton", tire);
    // Where the draw lands: on the blank or "-" that ends a token.
    FUZZ_VERIFIE(q < notes.size() && (notes[q] == u' ' || notes[q] == u'-')
                         && !QStringLiteral(" -)").contains(notes[q - 1]),
                 "au hasard : à la fin d'un jeton", tire);
    // That token is a note without shift, whatever the rest of the line holds: never
    // inside a shift ("cmi3(-10/12)") nor after one left open.
    const qsizetype debut = notes.lastIndexOf(u' ', q - 1) + 1;
    const QStringView jeton = QStringView(notes).mid(debut, q - debut);
    FUZZ_VERIFIE(music::est_note_sans_decalage(jeton), "au hasard : après une note sans décalage",
                 tire);
    // So a melody whose shifts all read keeps reading once a shift that reads is inserted.
    if (notes_de(notes) && notes_de(QStringLiteral("cla2") + decalage + u' '))
        FUZZ_VERIFIE(notes_de(tire).has_value(), "au hasard : le décalage inséré se lit", tire);
    verifie_effet(notes, tire, "au hasard : le décalage ne fait pas de nouveau jeton");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QStringList fichier = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    // The settings' shift: the file's first line when it looks like one, else the usual.
    const QString saisie = fichier.value(0).size() <= 12 && fichier.value(0).contains(u'/')
            ? fichier.value(0)
            : QStringLiteral("+1/2");
    for (const QString &ligne : fichier) {
        music::PartiesMelodie parties;
        try {
            parties = music::separe_rythme(music::sans_nom(ligne));
        } catch (const platform::ErreurExecution &) {
            continue; // no rhythm, a rhythm of 0 or no note: the test ends on the error box
        }
        FUZZ_VERIFIE(parties.rythme != 0 && parties.notes.endsWith(u' '),
                     "un rythme non nul, des notes finies par un blanc");
        if (const auto notes = notes_de(parties.notes))
            verifie_notes(parties.notes, *notes, parties.rythme);
        verifie_insertions(parties.notes, saisie, unsigned(taille + ligne.size()));
        verifie_insertions(parties.notes, QStringLiteral("-1/3"), unsigned(ligne.size()));
    }
    return 0;
}

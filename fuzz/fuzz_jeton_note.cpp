// The note token parser, on any token, and on note tokens built from the input.
// Properties: any token gives an audible note or a rest, of the duration its letter
// says; a note of the table without shift sounds its table frequency; a shift of a
// fraction k/d (0 ≤ k ≤ d) of a step stays between the note and its neighbour, at
// the pitch the step times the fraction gives, rounded halves to even.
#include "commun.h"
#include "music/melodie.h"
#include "music/table_notes.h"
#include "platform/erreurs.h"
#include <cfenv>
#include <cmath>
#include <cstring>

using namespace fantrel;

namespace {

int duree_lettre(QChar c)
{
    return c == u'n'    ? 2 * music::duree_base_melodie
            : c == u'b' ? 4 * music::duree_base_melodie
                        : music::duree_base_melodie;
}

void verifie_jeton(QStringView jeton)
{
    music::Note note;
    bool lu = false;
    try {
        lu = analyse_jeton(jeton, music::duree_base_melodie, note);
    } catch (const platform::ErreurExecution &) {
        FUZZ_VERIFIE(jeton.contains(u'('), "seul un décalage peut être une valeur incorrecte",
                     jeton.toString());
        return;
    }
    FUZZ_VERIFIE(lu == !jeton.isEmpty(), "un jeton vide ne donne rien, tout autre une entrée",
                 jeton.toString());
    if (!lu)
        return;
    if (note.frequence == 0) {
        FUZZ_VERIFIE(note.duree == music::duree_base_melodie, "un silence dure une durée de base",
                     jeton.toString());
        FUZZ_VERIFIE(!music::est_note_sans_decalage(jeton),
                     "un silence n'est pas une note sans décalage", jeton.toString());
        return;
    }
    FUZZ_VERIFIE(note.frequence >= music::frequence_min && note.frequence <= music::frequence_max,
                 "une note est audible", jeton.toString());
    const qsizetype parenthese = jeton.indexOf(u'(');
    const QStringView corps = parenthese < 0 ? jeton : jeton.left(parenthese);
    FUZZ_VERIFIE(
            note.duree
                    == (corps.size() > 3 ? duree_lettre(corps.front()) : music::duree_base_melodie),
            "la lettre de durée donne la durée", jeton.toString());
    const QStringView nom = corps.size() > 3 ? corps.mid(1) : corps;
    const int j = music::indice_note(nom);
    FUZZ_VERIFIE(j >= 0, "seul un nom de la table sonne", jeton.toString());
    if (parenthese < 0)
        FUZZ_VERIFIE(note.frequence == music::frequences[j],
                     "une note sans décalage sonne sa fréquence", jeton.toString());
    if (music::est_note_sans_decalage(jeton))
        FUZZ_VERIFIE(parenthese < 0 && note.frequence == music::frequences[j],
                     "une note sans décalage le dit", jeton.toString());
}

// A well-formed token: letter, name, shift (sign, k, d) of a fraction k/d ≤ 1.
void verifie_note_construite(const std::uint8_t *o, std::size_t taille)
{
    if (taille < 5)
        return;
    const QChar lettre = QStringLiteral("cnb")[o[0] % 3];
    const int j = o[1] % music::nb_noms_notes;
    const bool monte = o[2] & 1;
    const int d = 1 + o[3] % 64;
    const int k = o[4] % (d + 1);
    const QString jeton = lettre + music::noms_notes[std::size_t(j)].toString()
            + QStringLiteral("(%1%2/%3)").arg(QChar(monte ? u'+' : u'-')).arg(k).arg(d);
    music::Note note;
    FUZZ_VERIFIE(analyse_jeton(jeton, music::duree_base_melodie, note),
                 "une note bien formée se lit", jeton);
    FUZZ_VERIFIE(note.duree == duree_lettre(lettre), "durée de la lettre", jeton);

    const int f = music::frequences[std::size_t(j)];
    const int pas = monte ? music::pas_montant(j) : music::pas_descendant(j);
    const double r = double(monte ? k : -k) / d;
    std::fesetround(FE_TONEAREST);
    const int attendue = f + int(std::nearbyint(r * pas));
    FUZZ_VERIFIE(note.frequence == attendue,
                 "fréquence décalée d'une fraction de pas, arrondie au pair",
                 jeton + QStringLiteral(" → %1, attendu %2").arg(note.frequence).arg(attendue));
    const int voisine = monte ? f + pas : f - pas;
    FUZZ_VERIFIE(std::min(f, voisine) <= note.frequence && note.frequence <= std::max(f, voisine),
                 "une fraction de pas reste entre la note et sa voisine", jeton);

    music::Note sans;
    analyse_jeton(QString(lettre + music::noms_notes[std::size_t(j)].toString()),
                  music::duree_base_melodie, sans);
    FUZZ_VERIFIE(sans.frequence == f && sans.duree == note.duree,
                 "sans décalage, la fréquence de la table", jeton);
}

void verifie_arrondi(const std::uint8_t *o, std::size_t taille)
{
    if (taille < sizeof(double))
        return;
    double x;
    std::memcpy(&x, o, sizeof x);
    std::fesetround(FE_TONEAREST);
    const double attendu = std::isfinite(x) ? std::nearbyint(x) : 0;
    FUZZ_VERIFIE(music::arrondi_pair(x) == attendu
                         || (std::isnan(attendu) && std::isnan(music::arrondi_pair(x))),
                 "arrondi au plus proche, moitiés au pair", QString::number(x, 'g', 17));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QString texte = fantrel::platform::decode_texte(fuzz::octets(donnees, taille));
    verifie_jeton(texte);
    for (QStringView jeton : QStringView(texte).split(u' '))
        verifie_jeton(jeton);
    verifie_note_construite(donnees, taille);
    verifie_arrondi(donnees, taille);
    return 0;
}

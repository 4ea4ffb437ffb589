#include "attaques.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace fantrel::banc_son {

namespace {

// Normalised correlation of the recording at `debut` with `modele` (0 off the ends).
double correlation(const QVector<qint16> &r, qint64 debut, const qint16 *modele, qint64 n)
{
    if (debut < 0 || debut + n > r.size())
        return 0;
    double rm = 0, rr = 0, mm = 0;
    for (qint64 i = 0; i < n; ++i) {
        const double a = r[debut + i], b = modele[i];
        rm += a * b;
        rr += a * a;
        mm += b * b;
    }
    return rr > 0 && mm > 0 ? rm / std::sqrt(rr * mm) : 0;
}

// The best alignment of the note's head around `prevu` (its onset, in the recording):
// the onset found, refined between samples by a parabola through the peak.
double place(const QVector<qint16> &r, const MelodieJouee &m, int k, double prevu, qint64 fenetre,
             int taux)
{
    const qint64 avant = taux / 500, apres = taux / 100; // 2 ms of silence, 10 ms of sound
    const qint64 debut_modele = std::max<qint64>(m.debuts[k] - avant, 0);
    const qint64 n = std::min<qint64>(m.debuts[k] + apres, m.echantillons.size()) - debut_modele;
    const qint16 *modele = m.echantillons.constData() + debut_modele;
    const qint64 decalage = m.debuts[k] - debut_modele;
    const qint64 centre = qint64(std::lround(prevu));
    double meilleure = -2;
    qint64 meilleur = centre;
    QVector<double> c(2 * fenetre + 1);
    for (qint64 l = -fenetre; l <= fenetre; ++l) {
        c[l + fenetre] = correlation(r, centre + l - decalage, modele, n);
        if (c[l + fenetre] > meilleure) {
            meilleure = c[l + fenetre];
            meilleur = l;
        }
    }
    double fraction = 0;
    if (meilleur > -fenetre && meilleur < fenetre) {
        const double g = c[meilleur + fenetre - 1], p = c[meilleur + fenetre],
                     d = c[meilleur + fenetre + 1];
        const double courbure = g - 2 * p + d;
        if (courbure < 0)
            fraction = std::clamp(0.5 * (g - d) / courbure, -0.5, 0.5);
    }
    return double(centre + meilleur) + fraction;
}

// Correlation of the note's head alone with the recording at `position` (its onset).
double tete(const QVector<qint16> &r, const MelodieJouee &m, int k, double position, int taux)
{
    const qint64 n = std::min<qint64>(m.longueurs[k], taux / 100);
    return correlation(r, qint64(std::lround(position)), m.echantillons.constData() + m.debuts[k],
                       n);
}

// A threshold above the recording's noise floor: ten times the RMS of its quietest
// tenth of 10 ms blocks (the pauses between melodies; a null sink's monitor is silent).
int seuil_bruit(const QVector<qint16> &r, int taux)
{
    const qint64 bloc = taux / 100;
    std::vector<double> efficaces;
    for (qint64 debut = 0; debut + bloc <= r.size(); debut += bloc) {
        double somme = 0;
        for (qint64 i = debut; i < debut + bloc; ++i)
            somme += double(r[i]) * r[i];
        efficaces.push_back(std::sqrt(somme / double(bloc)));
    }
    if (efficaces.empty())
        return 8;
    std::nth_element(efficaces.begin(), efficaces.begin() + qsizetype(efficaces.size() / 10),
                     efficaces.end());
    return std::max(8, int(10 * efficaces[efficaces.size() / 10]));
}

} // namespace

QVector<MelodieTrouvee> trouve_attaques(const QVector<qint16> &r,
                                        const QVector<MelodieJouee> &melodies, double fenetre_ms,
                                        int taux)
{
    const int seuil = seuil_bruit(r, taux);
    const qint64 fenetre = qint64(fenetre_ms * taux / 1000);
    QVector<MelodieTrouvee> trouvees;
    qint64 curseur = 0;
    for (const MelodieJouee &m : melodies) {
        MelodieTrouvee t;
        double precedente = -1;
        int entree_precedente = -1;
        for (int k = 0; k < m.debuts.size(); ++k) {
            if (m.frequences[k] == 0)
                continue;
            double prevu;
            if (precedente < 0) {
                // The first sound after the previous melody; where the rendering first
                // passes the threshold tells how far into the note that is.
                qint64 i = curseur;
                while (i < r.size() && std::abs(int(r[i])) <= seuil)
                    ++i;
                qint64 j = m.debuts[k];
                while (j < m.echantillons.size() && std::abs(int(m.echantillons[j])) <= seuil)
                    ++j;
                if (i >= r.size())
                    break;
                prevu = double(i - (j - m.debuts[k]));
            } else {
                prevu = precedente + double(m.debuts[k] - m.debuts[entree_precedente]);
            }
            NoteTrouvee note;
            note.entree = k;
            note.position = place(r, m, k, prevu, precedente < 0 ? taux / 200 : fenetre, taux);
            // Not there: a gap or a loss moved it further; look within a second, so that the
            // fault is measured on this note alone, not on the rest of the melody.
            if (tete(r, m, k, note.position, taux) < 0.9)
                note.position = place(r, m, k, prevu, taux, taux);
            const qint64 o = qint64(std::lround(note.position));
            note.correlation =
                    correlation(r, o, m.echantillons.constData() + m.debuts[k], m.longueurs[k]);
            note.identique = o >= 0 && o + m.longueurs[k] <= r.size();
            for (qint64 i = 0; note.identique && i < m.longueurs[k]; ++i)
                note.identique =
                        std::abs(int(r[o + i]) - int(m.echantillons[m.debuts[k] + i])) <= 1;
            t.notes.append(note);
            precedente = note.position;
            entree_precedente = k;
        }
        t.trouvee = !t.notes.isEmpty();
        if (t.trouvee)
            curseur = qint64(t.notes.last().position) + m.longueurs[t.notes.last().entree]
                    + taux / 100;
        trouvees.append(t);
    }
    return trouvees;
}

} // namespace fantrel::banc_son

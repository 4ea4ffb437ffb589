#include "music/melodie.h"
#include "music/table_notes.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include <algorithm>
#include <cmath>

namespace fantrel::music {

QString sans_nom(const QString &ligne)
{
    const qsizetype virgule = ligne.indexOf(u',');
    return virgule < 0 ? ligne : ligne.mid(virgule + 1);
}

PartiesMelodie separe_rythme(const QString &s)
{
    const qsizetype virgule = s.indexOf(u',');
    // Without a comma the rhythm text is empty, and so not an integer.
    const int rythme = platform::vers_entier(virgule < 0 ? QString() : s.left(virgule));
    PartiesMelodie parties;
    parties.rythme = static_cast<quint16>(rythme);
    if (parties.rythme == 0)
        throw platform::ErreurExecution(QStringLiteral("Rythme nul"));
    parties.notes = s.mid(virgule + 1);
    if (parties.notes.count(u' ') == parties.notes.size())
        throw platform::ErreurExecution(QStringLiteral("Mélodie vide"));
    if (!parties.notes.endsWith(u' '))
        parties.notes += u' ';
    return parties;
}

double arrondi_pair(double x)
{
    if (!std::isfinite(x))
        return 0;
    double entier = std::floor(x);
    const double reste = x - entier;
    if (reste > 0.5 || (reste == 0.5 && std::fmod(entier, 2.0) != 0))
        entier += 1;
    return entier;
}

double ratio_decalage(QStringView m)
{
    const qsizetype barre = m.indexOf(u'/');
    if (barre < 0)
        return platform::vers_entier(m.toString());
    const int numerateur = platform::vers_entier(m.left(barre).toString());
    const int denominateur = platform::vers_entier(m.mid(barre + 1, 10).toString());
    if (denominateur == 0)
        return 0;
    return static_cast<double>(numerateur) / denominateur;
}

int frequence_decalee(int j, QStringView m)
{
    const double r = ratio_decalage(m);
    double delta = 0;
    if (m.contains(u'+'))
        delta = r * pas_montant(j);
    else if (m.contains(u'-'))
        delta = r * pas_descendant(j);
    const double frequence = frequences[j] + arrondi_pair(delta);
    return static_cast<int>(std::clamp<double>(frequence, frequence_min, frequence_max));
}

namespace {

// The token without its shift, and the shift text (null when there is none).
struct JetonDecoupe
{
    QStringView corps;
    QStringView decalage;
};

JetonDecoupe decoupe(QStringView jeton)
{
    const qsizetype ouvrante = jeton.indexOf(u'(');
    if (ouvrante < 0)
        return { jeton, {} };
    QStringView apres = jeton.mid(ouvrante + 1);
    const qsizetype fermante = apres.indexOf(u')');
    if (fermante >= 0)
        apres = apres.left(fermante);
    return { jeton.left(ouvrante), apres.isNull() ? QStringView(u"") : apres };
}

} // namespace

bool analyse_jeton(QStringView jeton, int duree_base, Note &note)
{
    if (jeton.isEmpty())
        return false;
    auto [corps, decalage] = decoupe(jeton);
    note = Note{ 0, duree_base };
    if (corps.size() > 3) {
        switch (corps.front().unicode()) {
        case u'n':
            note.duree = 2 * duree_base;
            break;
        case u'b':
            note.duree = 4 * duree_base;
            break;
        default:
            break;
        }
        corps = corps.mid(1);
    }
    const int j = corps.contains(u'-') ? -1 : indice_note(corps);
    if (j < 0) {
        note.duree = duree_base; // a rest, or a name the table does not know
        return true;
    }
    note.frequence = decalage.isNull() ? frequences[j] : frequence_decalee(j, decalage);
    return true;
}

QVector<Note> analyse_notes(const QString &notes, int duree_base)
{
    QVector<Note> resultat;
    for (QStringView jeton : QStringView(notes).split(u' ')) {
        Note note;
        if (analyse_jeton(jeton, duree_base, note))
            resultat.append(note);
    }
    return resultat;
}

bool est_note_sans_decalage(QStringView jeton)
{
    if (jeton.contains(u'(') || jeton.contains(u')'))
        return false;
    if (jeton.size() > 3)
        jeton = jeton.mid(1);
    return indice_note(jeton) >= 0;
}

QVector<qint64> horaire_notes(const QVector<Note> &notes, int rythme, int duree_base)
{
    QVector<qint64> horaire;
    qint64 tic = rythme;
    for (const Note &note : notes) {
        horaire.append(tic);
        const int duree = note.frequence == 0 ? duree_base : note.duree;
        tic += duree >= rythme ? duree + rythme : rythme;
    }
    horaire.append(tic);
    return horaire;
}

} // namespace fantrel::music

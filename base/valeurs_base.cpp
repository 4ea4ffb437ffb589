#include "base/valeurs_base.h"
#include "base/schema_base.h"
#include <QLocale>
#include <cmath>

namespace fantrel::base {

namespace {

QVariant texte(const QString &t)
{
    return t.isEmpty() ? QVariant() : QVariant(t);
}

template<typename T>
QVariant nombre(const std::optional<T> &v)
{
    if (!v)
        return QVariant();
    if constexpr (std::is_same_v<T, bool>)
        return QVariant(*v ? 1 : 0);
    else
        return QVariant(*v);
}

QVariant centiemes(const std::optional<double> &ms)
{
    return ms ? QVariant(au_centieme(*ms)) : QVariant();
}

QVariant date(const QDateTime &moment)
{
    return moment.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime date_lue(const QVariant &v)
{
    return QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
}

std::optional<int> entier_lu(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}

std::optional<double> reel_lu(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

std::optional<bool> booleen_lu(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<bool>(v.toInt() != 0);
}

QStringList sans_id(const QStringList &colonnes)
{
    return colonnes.mid(1);
}

} // namespace

double au_centieme(double ms)
{
    return std::round(ms * 100.0) / 100.0;
}

QString texte_lignes(const QStringList &lignes)
{
    QString t;
    for (const QString &ligne : lignes)
        t += ligne + QLatin1Char('\n');
    return t;
}

QStringList lignes_texte(const QString &texte)
{
    QStringList lignes = texte.split(QLatin1Char('\n'));
    lignes.removeLast(); // after the last line feed
    return lignes;
}

QString texte_phases(const std::array<double, 4> &phases)
{
    QStringList textes;
    for (double ms : phases)
        textes << QString::number(au_centieme(ms), 'g', QLocale::FloatingPointShortest);
    return textes.join(QLatin1Char('/'));
}

std::optional<std::array<double, 4>> phases_texte(const QString &texte)
{
    const QStringList textes = texte.split(QLatin1Char('/'));
    if (textes.size() != 4)
        return std::nullopt;
    std::array<double, 4> phases{};
    for (std::size_t i = 0; i < phases.size(); ++i) {
        bool ok = false;
        phases[i] = textes[qsizetype(i)].toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return phases;
}

QStringList colonnes_insertion_essai()
{
    return sans_id(colonnes_essais()) << QStringLiteral("ordre") << QStringLiteral("uuid");
}

QVariantList valeurs_participant(const Participant &p)
{
    const QDateTime cree = p.cree_utc.isValid() ? p.cree_utc : QDateTime::currentDateTimeUtc();
    return { p.uuid,         texte(p.code),       p.seance ? QVariant(p.seance) : QVariant(),
             texte(p.station), date(cree),        nombre(p.age),
             texte(p.genre),  texte(p.lateralite), texte(p.groupe),
             texte(p.consentement), texte(p.remarque), texte(p.source) };
}

Participant participant_lu(const QSqlQuery &q)
{
    Participant p;
    int i = 0;
    const auto suivante = [&] { return q.value(i++); };
    p.uuid = suivante().toString();
    p.code = suivante().toString();
    p.seance = suivante().toLongLong();
    p.station = suivante().toString();
    p.cree_utc = date_lue(suivante());
    p.age = entier_lu(suivante());
    p.genre = suivante().toString();
    p.lateralite = suivante().toString();
    p.groupe = suivante().toString();
    p.consentement = suivante().toString();
    p.remarque = suivante().toString();
    p.source = suivante().toString();
    return p;
}

QStringList colonnes_insertion_evenement()
{
    return sans_id(colonnes_evenements());
}

QStringList colonnes_insertion_seance()
{
    return sans_id(colonnes_seances());
}

QVariantList valeurs_essai(const Essai &e)
{
    const QVariant phases =
            e.phases_mesurees_ms ? QVariant(texte_phases(*e.phases_mesurees_ms)) : QVariant();
    const QVariant mode = e.mode_reponse ? QVariant(texte_facon(*e.mode_reponse)) : QVariant();
    return { e.seance,
             date(e.debut_utc),
             e.utilisateur,
             texte(e.nom_utilisateur),
             texte_test(e.test),
             e.numero,
             texte(e.mot1),
             texte(e.mot2),
             nombre(e.connote),
             texte(e.mot_affiche),
             texte(e.proposition_gauche),
             texte(e.proposition_droite),
             texte(e.reponse),
             mode,
             nombre(e.categorie),
             nombre(e.correct),
             nombre(e.exposition_ms),
             centiemes(e.exposition_mesuree_ms),
             phases,
             centiemes(e.temps_reponse_ms),
             texte(e.melodie),
             texte(e.decalage),
             nombre(e.incongru),
             nombre(e.place_incongruite),
             nombre(e.images),
             nombre(e.images_manquees),
             texte(e.ligne_resultat),
             centiemes(e.debut_son_ms),
             centiemes(e.latence_sortie_ms),
             texte(e.debuts_notes),
             nombre(e.images_prevues),
             nombre(e.horodatage_douteux),
             nombre(e.touches_anticipees),
             nombre(e.niveau_images),
             centiemes(e.niveau_ms),
             centiemes(e.seuil_images),
             centiemes(e.seuil_ms),
             texte(e.participant),
             e.ordre,
             texte(e.uuid) };
}

Essai essai_lu(const QSqlQuery &q)
{
    Essai e;
    int i = 0;
    const auto suivante = [&] { return q.value(i++); };
    e.id = suivante().toLongLong();
    e.seance = suivante().toLongLong();
    e.debut_utc = date_lue(suivante());
    e.utilisateur = suivante().toInt();
    e.nom_utilisateur = suivante().toString();
    e.test = test_depuis_texte(suivante().toString()).value_or(TestEssai::korvane);
    e.numero = suivante().toInt();
    e.mot1 = suivante().toString();
    e.mot2 = suivante().toString();
    e.connote = entier_lu(suivante());
    e.mot_affiche = suivante().toString();
    e.proposition_gauche = suivante().toString();
    e.proposition_droite = suivante().toString();
    e.reponse = suivante().toString();
    e.mode_reponse = facon_depuis_texte(suivante().toString());
    e.categorie = entier_lu(suivante());
    e.correct = booleen_lu(suivante());
    e.exposition_ms = entier_lu(suivante());
    e.exposition_mesuree_ms = reel_lu(suivante());
    e.phases_mesurees_ms = phases_texte(suivante().toString());
    e.temps_reponse_ms = reel_lu(suivante());
    e.melodie = suivante().toString();
    e.decalage = suivante().toString();
    e.incongru = booleen_lu(suivante());
    e.place_incongruite = entier_lu(suivante());
    e.images = entier_lu(suivante());
    e.images_manquees = entier_lu(suivante());
    e.ligne_resultat = suivante().toString();
    e.debut_son_ms = reel_lu(suivante());
    e.latence_sortie_ms = reel_lu(suivante());
    e.debuts_notes = suivante().toString();
    e.images_prevues = entier_lu(suivante());
    e.horodatage_douteux = booleen_lu(suivante());
    e.touches_anticipees = entier_lu(suivante());
    e.niveau_images = entier_lu(suivante());
    e.niveau_ms = reel_lu(suivante());
    e.seuil_images = reel_lu(suivante());
    e.seuil_ms = reel_lu(suivante());
    e.participant = suivante().toString();
    e.ordre = suivante().toLongLong();
    e.uuid = suivante().toString();
    return e;
}

QVariantList valeurs_evenement(const Evenement &e)
{
    const bool rangee = e.nature == NatureEvenement::nouvel_utilisateur
            || e.nature == NatureEvenement::renommage;
    const bool lignes = e.nature == NatureEvenement::lecture_fichier
            || e.nature == NatureEvenement::calibration;
    return { e.seance,
             e.ordre,
             date(e.moment_utc),
             texte_nature(e.nature),
             rangee ? QVariant(e.utilisateur) : QVariant(),
             texte(e.nom),
             texte(e.fichier),
             lignes ? QVariant(texte_lignes(e.lignes)) : QVariant(),
             e.nature == NatureEvenement::reprise || e.nature == NatureEvenement::reprise_refusee
                     ? QVariant(e.seance_reprise)
                     : QVariant(),
             texte(e.uuid),
             texte(e.participant) };
}

Evenement evenement_lu(const QSqlQuery &q)
{
    Evenement e;
    e.id = q.value(0).toLongLong();
    e.seance = q.value(1).toLongLong();
    e.ordre = q.value(2).toLongLong();
    e.moment_utc = date_lue(q.value(3));
    e.nature = nature_depuis_texte(q.value(4).toString()).value_or(NatureEvenement::fin);
    e.utilisateur = q.value(5).toInt();
    e.nom = q.value(6).toString();
    e.fichier = q.value(7).toString();
    e.lignes = lignes_texte(q.value(8).toString());
    e.seance_reprise = q.value(9).toLongLong();
    e.uuid = q.value(10).toString();
    e.participant = q.value(11).toString();
    return e;
}

QVariantList valeurs_seance(const Seance &s)
{
    const QVariant hz = s.rafraichissement_hz ? QVariant(*s.rafraichissement_hz) : QVariant();
    return { date(s.debut_utc),          texte(s.version_programme),
             texte(s.repertoire),        texte(s.poste),
             texte_lignes(s.parametres), hz,
             texte(s.priorite_minuteur), texte(s.uuid),
             texte(s.station),           texte(s.version),
             texte(s.graine),            texte(s.empreinte_reglages),
             texte(s.reprise_de),
             texte(s.methode_horodatage) };
}

Seance seance_lue(const QSqlQuery &q)
{
    Seance s;
    s.id = q.value(0).toLongLong();
    s.debut_utc = date_lue(q.value(1));
    s.version_programme = q.value(2).toString();
    s.repertoire = q.value(3).toString();
    s.poste = q.value(4).toString();
    s.parametres = lignes_texte(q.value(5).toString());
    s.rafraichissement_hz = reel_lu(q.value(6));
    s.priorite_minuteur = q.value(7).toString();
    s.uuid = q.value(8).toString();
    s.station = q.value(9).toString();
    s.version = q.value(10).toString();
    s.graine = q.value(11).toString();
    s.empreinte_reglages = q.value(12).toString();
    s.reprise_de = q.value(13).toString();
    s.methode_horodatage = q.value(14).toString();
    return s;
}

} // namespace fantrel::base

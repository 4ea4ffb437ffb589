#include "results/export_statistiques.h"
#include "platform/champ_csv.h"
#include "platform/fichier_texte.h"
#include <QLocale>
#include <QSaveFile>

namespace fantrel::results {

namespace {

using platform::champ_csv;

QString nombre(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString optionnel(const std::optional<double> &v)
{
    return v ? nombre(*v) : QString();
}

QStringList champs(const LigneCalculee &l, double echelle)
{
    const StatistiquesSujet &s = l.stats;
    const bool deux_choix = l.test == QStringLiteral("Mots");
    QStringList c{ l.groupe ? QStringLiteral("groupe") : QStringLiteral("participant"),
                   champ_csv(l.participant),
                   l.test == QStringLiteral("Mots") ? QStringLiteral("mots")
                                                    : QStringLiteral("musique"),
                   QString::number(s.n),
                   QString::number(s.justes),
                   optionnel(s.pourcentage),
                   s.intervalle ? nombre(100 * s.intervalle->bas) : QString(),
                   s.intervalle ? nombre(100 * s.intervalle->haut) : QString(),
                   optionnel(s.p),
                   optionnel(s.bf01),
                   s.bf01 ? champ_csv(texte_conclusion(conclusion_bayes(*s.bf01))) : QString(),
                   deux_choix ? optionnel(s.d_prime_2afc) : QString(),
                   optionnel(s.d_prime),
                   optionnel(s.critere),
                   QString::number(l.saisies),
                   QString::number(l.saisies_justes),
                   QString::number(l.je_ne_sais_pas) };
    const StatistiquesGroupe &g = l.statistiques_groupe;
    if (l.groupe && g.student)
        c << QString::number(g.participants) << nombre(g.student->moyenne)
          << nombre(g.student->ecart_type) << nombre(g.student->t)
          << QString::number(g.student->ddl) << nombre(g.student->p);
    else if (l.groupe)
        c << QString::number(g.participants) << optionnel(g.moyenne) << QString() << QString()
          << QString() << QString();
    else
        c << QString() << QString() << QString() << QString() << QString() << QString();
    c << nombre(echelle);
    return c;
}

} // namespace

QStringList colonnes_statistiques()
{
    return { QStringLiteral("ligne"),        QStringLiteral("participant"),
             QStringLiteral("test"),         QStringLiteral("n"),
             QStringLiteral("justes"),       QStringLiteral("pourcentage"),
             QStringLiteral("ic95_bas"),     QStringLiteral("ic95_haut"),
             QStringLiteral("p_binomial"),   QStringLiteral("bf01"),
             QStringLiteral("conclusion"),   QStringLiteral("d_prime_2afc"),
             QStringLiteral("d_prime"),      QStringLiteral("c"),
             QStringLiteral("saisies"),      QStringLiteral("saisies_justes"),
             QStringLiteral("je_ne_sais_pas"), QStringLiteral("participants"),
             QStringLiteral("moyenne_pourcentage"), QStringLiteral("ecart_type"),
             QStringLiteral("t"),            QStringLiteral("ddl"),
             QStringLiteral("p_t"),          QStringLiteral("echelle_a_priori") };
}

QStringList lignes_csv_statistiques(const QVector<LigneCalculee> &lignes, double echelle_a_priori)
{
    QStringList csv{ colonnes_statistiques().join(QLatin1Char(',')) };
    for (const LigneCalculee &l : lignes)
        csv << champs(l, echelle_a_priori).join(QLatin1Char(','));
    return csv;
}

void exporte_statistiques(const QString &chemin, const QVector<LigneCalculee> &lignes,
                          double echelle_a_priori)
{
    platform::verifie_cible_ecriture(chemin);
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        platform::echec_creation(chemin, fichier.errorString());
    QString texte;
    for (const QString &ligne : lignes_csv_statistiques(lignes, echelle_a_priori))
        texte += ligne + QStringLiteral("\r\n");
    const QByteArray octets = texte.toUtf8();
    if (fichier.write(octets) != octets.size() || !fichier.commit()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        platform::echec_creation(chemin, raison);
    }
}

} // namespace fantrel::results

#include "results/modele_statistiques.h"
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace fantrel::results {

namespace {

const QLocale &francais()
{
    static const QLocale l(QLocale::French, QLocale::France);
    return l;
}

QString reel(const std::optional<double> &v, int decimales)
{
    return v ? nombre_francais(*v, decimales) : QString();
}

QString texte_p(const std::optional<double> &p)
{
    if (!p)
        return QString();
    return *p < 0.0001 ? QStringLiteral("< ") + nombre_francais(0.0001, 4)
                       : nombre_francais(*p, 4);
}

QString texte_intervalle(const std::optional<IntervalleConfiance> &i)
{
    if (!i)
        return QString();
    return nombre_francais(100 * i->bas, 1) + QStringLiteral(" – ")
            + nombre_francais(100 * i->haut, 1);
}

QString texte_saisies(std::int64_t saisies, std::int64_t justes)
{
    if (saisies == 0)
        return QStringLiteral("0");
    return QStringLiteral("%1 (%2 %3)")
            .arg(saisies)
            .arg(justes)
            .arg(justes > 1 ? QStringLiteral("justes") : QStringLiteral("juste"));
}

bool a_des_reponses(const LigneCalculee &l)
{
    return l.stats.n > 0 || l.saisies > 0 || l.je_ne_sais_pas > 0;
}

// The lines of one test: its participants, then the group.
QVector<LigneCalculee> lignes_test(const QVector<LigneStatistiques> &participants, bool musique,
                                   double echelle)
{
    const QString test = musique ? QStringLiteral("Musique") : QStringLiteral("Mots");
    QVector<LigneCalculee> lignes;
    std::vector<Comptes> comptes;
    LigneCalculee groupe;
    groupe.participant = QStringLiteral("Groupe");
    groupe.test = test;
    groupe.groupe = true;
    for (const LigneStatistiques &p : participants) {
        LigneCalculee l;
        l.participant = p.nom;
        l.test = test;
        const Comptes boutons = musique ? p.musique : p.boutons();
        l.stats = statistiques(boutons, echelle);
        if (!musique) {
            l.saisies = std::int64_t(p.saisies[1]) + p.saisies[2] + p.saisies[3] + p.saisies[4];
            l.saisies_justes = std::int64_t(p.saisies[1]) + p.saisies[3];
            l.je_ne_sais_pas = p.je_ne_sais_pas;
        }
        groupe.saisies += l.saisies;
        groupe.saisies_justes += l.saisies_justes;
        groupe.je_ne_sais_pas += l.je_ne_sais_pas;
        comptes.push_back(boutons);
        lignes << l;
    }
    groupe.statistiques_groupe = statistiques_groupe(comptes, echelle);
    groupe.stats = groupe.statistiques_groupe.groupees;
    lignes << groupe;
    return lignes;
}

} // namespace

Comptes LigneStatistiques::boutons() const
{
    Comptes b{};
    for (int c = 1; c <= 4; ++c)
        b[c] = std::max(0, mots[c] - saisies[c]);
    return b;
}

QVector<LigneCalculee> calcule_statistiques(const QVector<LigneStatistiques> &participants,
                                            double echelle_a_priori)
{
    const QVector<LigneCalculee> mots = lignes_test(participants, false, echelle_a_priori);
    const QVector<LigneCalculee> musique = lignes_test(participants, true, echelle_a_priori);
    const bool avec_mots = std::any_of(mots.begin(), mots.end(), a_des_reponses);
    const bool avec_musique = std::any_of(musique.begin(), musique.end(), a_des_reponses);
    QVector<LigneCalculee> lignes;
    if (avec_mots || !avec_musique)
        lignes << mots;
    if (avec_musique)
        lignes << musique;
    return lignes;
}

QStringList entetes_statistiques()
{
    return { QStringLiteral("Participant"), QStringLiteral("Test"),
             QStringLiteral("n"),           QStringLiteral("Justes"),
             QStringLiteral("% juste"),     QStringLiteral("IC 95 %"),
             QStringLiteral("p"),           QStringLiteral("BF01"),
             QStringLiteral("Conclusion"),  QStringLiteral("d′ 2AFC"),
             QStringLiteral("d′"),          QStringLiteral("c"),
             QStringLiteral("Saisies"),     QStringLiteral("Je ne sais pas") };
}

QStringList cellules_statistiques(const LigneCalculee &l)
{
    const StatistiquesSujet &s = l.stats;
    // The melodies are judged one by one (yes/no): no two-alternative d′ for them.
    const bool deux_choix = l.test == QStringLiteral("Mots");
    return { l.participant,
             l.test,
             QString::number(s.n),
             QString::number(s.justes),
             reel(s.pourcentage, 1),
             texte_intervalle(s.intervalle),
             texte_p(s.p),
             s.bf01 ? nombre_significatif(*s.bf01) : QString(),
             s.bf01 ? texte_conclusion(conclusion_bayes(*s.bf01)) : QString(),
             deux_choix ? reel(s.d_prime_2afc, 2) : QString(),
             reel(s.d_prime, 2),
             reel(s.critere, 2),
             deux_choix ? texte_saisies(l.saisies, l.saisies_justes) : QString(),
             deux_choix ? QString::number(l.je_ne_sais_pas) : QString() };
}

QString texte_test_groupe(const LigneCalculee &groupe)
{
    const StatistiquesGroupe &g = groupe.statistiques_groupe;
    const QString debut = QStringLiteral("%1, %2 participant%3")
                                  .arg(groupe.test)
                                  .arg(g.participants)
                                  .arg(g.participants > 1 ? QStringLiteral("s") : QString());
    if (!g.student)
        return debut
                + QStringLiteral(" : pas de test t (il faut au moins deux participants "
                                 "dont les pourcentages diffèrent).");
    const TestStudent &t = *g.student;
    return debut
            + QStringLiteral(" : moyenne %1 % juste (écart-type %2), t(%3) = %4 contre 50 %, "
                             "p unilatéral = %5.")
                      .arg(nombre_francais(t.moyenne, 1), nombre_francais(t.ecart_type, 1))
                      .arg(t.ddl)
                      .arg(nombre_francais(t.t, 2), texte_p(t.p));
}

QStringList resume_statistiques(const LigneStatistiques &ligne, double echelle_a_priori)
{
    QStringList resume;
    for (const LigneCalculee &l : calcule_statistiques({ ligne }, echelle_a_priori)) {
        if (l.groupe || !a_des_reponses(l))
            continue;
        const QStringList c = cellules_statistiques(l);
        QString texte = QStringLiteral("%1 : %2 %3 aux boutons")
                                .arg(l.test, c[2],
                                     l.stats.n == 1 ? QStringLiteral("essai")
                                                    : QStringLiteral("essais"));
        if (l.stats.n > 0) {
            texte += QStringLiteral(", %1 % justes (IC 95 % : %2), p %3, BF01 = %4 : %5")
                             .arg(c[4], c[5],
                                  c[6].startsWith(u'<') ? c[6] : QStringLiteral("= ") + c[6],
                                  c[7], c[8]);
            if (!c[9].isEmpty())
                texte += QStringLiteral(", d′ 2AFC = ") + c[9];
            if (!c[10].isEmpty())
                texte += QStringLiteral(", d′ = %1, c = %2").arg(c[10], c[11]);
        }
        if (l.saisies > 0 || l.je_ne_sais_pas > 0)
            texte += QStringLiteral(" ; à part : %1 saisi%2, %3 « Je ne sais pas »")
                             .arg(c[12], l.saisies > 1 ? QStringLiteral("s") : QString())
                             .arg(l.je_ne_sais_pas);
        resume << texte;
    }
    return resume;
}

QString texte_conclusion(ConclusionBayes conclusion)
{
    switch (conclusion) {
    case ConclusionBayes::hasard:
        return QStringLiteral("en faveur du hasard");
    case ConclusionBayes::effet:
        return QStringLiteral("en faveur d'un effet");
    case ConclusionBayes::non_concluant:
        break;
    }
    return QStringLiteral("non concluant");
}

QString nombre_francais(double valeur, int decimales)
{
    QString texte = francais().toString(valeur, 'f', decimales);
    // "-0,00" says nothing a plain zero does not.
    if (texte.startsWith(francais().negativeSign())) {
        const QString reste = texte.mid(francais().negativeSign().size());
        const bool zero = std::all_of(reste.begin(), reste.end(), [](QChar c) {
            return c == QLatin1Char('0') || c == francais().decimalPoint();
        });
        if (zero)
            return reste;
    }
    return texte;
}

QString nombre_significatif(double valeur)
{
    if (!(valeur >= 0.0001))
        return QStringLiteral("< ") + nombre_francais(0.0001, 4);
    const int chiffres_entiers = int(std::floor(std::log10(valeur))) + 1;
    return nombre_francais(valeur, std::max(0, 3 - chiffres_entiers));
}

void ModeleStatistiques::definit(const QVector<LigneStatistiques> &lignes, double echelle_a_priori)
{
    beginResetModel();
    m_echelle = echelle_a_priori;
    m_lignes = calcule_statistiques(lignes, echelle_a_priori);
    m_cellules.clear();
    for (const LigneCalculee &ligne : m_lignes)
        m_cellules << cellules_statistiques(ligne);
    endResetModel();
}

int ModeleStatistiques::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cellules.size());
}

int ModeleStatistiques::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entetes_statistiques().size());
}

QVariant ModeleStatistiques::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cellules.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_cellules[index.row()].value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() > 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant ModeleStatistiques::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return entetes_statistiques().value(section);
}

} // namespace fantrel::results

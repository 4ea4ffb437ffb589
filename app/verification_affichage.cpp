#include "app/verification_affichage.h"
#include "platform/minuteur_hr.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include <QDateTime>
#include <QLocale>
#include <QMap>
#include <QTimer>
#include <cmath>

namespace fantrel::app {

namespace {

double en_ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

QString nombre(double v, platform::FormeCsv forme)
{
    return platform::nombre_csv(std::round(v * 100.0) / 100.0, forme);
}

QString entier(const std::optional<int> &v)
{
    return v ? QString::number(*v) : QString();
}

} // namespace

QString verdict_flash(const trials::ImageMontree &mot, const trials::ImageMontree &suivante,
                      int images_prevues, double prevue_ms, double mesuree_ms)
{
    if (mot.douteuse || suivante.douteuse)
        return QStringLiteral("douteux");
    if (suivante.images > 0) {
        if (mot.manquees + suivante.manquees > 0)
            return QStringLiteral("manque");
        if (suivante.images != images_prevues)
            return suivante.images < images_prevues ? QStringLiteral("court")
                                                    : QStringLiteral("long");
        return QStringLiteral("exact");
    }
    if (std::abs(mesuree_ms - prevue_ms) <= 1.0)
        return QStringLiteral("exact");
    return mesuree_ms < prevue_ms ? QStringLiteral("court") : QStringLiteral("long");
}

BilanVerification bilan_verification(const QVector<base::FlashVerification> &flashs)
{
    BilanVerification b;
    for (const base::FlashVerification &f : flashs) {
        const QString &v = f.verdict;
        b.exacts += v == u"exact";
        b.courts += v == u"court";
        b.longs += v == u"long";
        b.manques += v == u"manque";
        b.douteux += v == u"douteux";
        if (v != u"exact")
            b.numeros_fautifs << f.numero;
    }
    return b;
}

QVector<QPair<int, int>> histogramme_expositions(const QVector<base::FlashVerification> &flashs,
                                                 double prevue_ms)
{
    QMap<int, int> classes;
    classes[int(std::lround(prevue_ms))] = 0;
    for (const base::FlashVerification &f : flashs)
        ++classes[int(std::lround(f.exposition_mesuree_ms))];
    QVector<QPair<int, int>> h;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it)
        h << qMakePair(it.key(), it.value());
    return h;
}

QStringList lignes_csv_verification(const QVector<base::FlashVerification> &flashs,
                                    platform::FormeCsv forme)
{
    const QChar sep = platform::separateur_csv(forme);
    QStringList lignes{ QStringList{ "numero", "test", "mot", "exposition_ms", "images_prevues",
                                     "images", "images_manquees", "exposition_prevue_ms",
                                     "exposition_mesuree_ms", "horodatage_douteux", "verdict" }
                                .join(sep) };
    for (const base::FlashVerification &f : flashs)
        lignes << QStringList{ QString::number(f.numero),
                               platform::champ_csv(f.test, forme),
                               platform::champ_csv(f.mot, forme),
                               QString::number(f.exposition_ms),
                               entier(f.images_prevues),
                               entier(f.images),
                               entier(f.images_manquees),
                               nombre(f.exposition_prevue_ms, forme),
                               nombre(f.exposition_mesuree_ms, forme),
                               QString::number(int(f.horodatage_douteux)),
                               f.verdict }
                          .join(sep);
    return lignes;
}

PlanVerification plan_verification(const trials::EtatPartage &etat,
                                   const trials::EssaiKorvane &korvane,
                                   const trials::EssaiMorbelle &morbelle, int flashs)
{
    PlanVerification p;
    p.flashs = flashs;
    for (const trials::Couple &c : etat.liste_mots)
        for (const QString &mot : { c.mot1, c.mot2 })
            if (!mot.isEmpty())
                p.mots << mot;
    if (etat.test != trials::TestEssai::morbelle) {
        p.test = QStringLiteral("korvane");
        p.exposition_ms = korvane.AsyncTimer2->intervalle();
        p.entre = etat.masque;
        return p;
    }
    // A phase of 0 ms is skipped, as the trial skips it.
    const qsizetype l = etat.masque.size();
    p.test = QStringLiteral("morbelle");
    if (const int ms = morbelle.Async_masque1->intervalle(); ms > 0)
        p.avant << PhaseFlash{ etat.masque1.left(l), ms };
    p.exposition_ms = morbelle.Async_mot->intervalle();
    if (const int ms = morbelle.Async_blanc->intervalle(); ms > 0)
        p.apres << PhaseFlash{ QString(), ms };
    if (const int ms = morbelle.Async_masque2->intervalle(); ms > 0)
        p.apres << PhaseFlash{ etat.masque2.left(l), ms };
    return p;
}

VerificationAffichage::VerificationAffichage(trials::AffichageEssai &affichage, QObject *parent)
    : QObject(parent), m_affichage(affichage), m_minuteur(new QTimer(this))
{
    m_minuteur->setSingleShot(true);
    connect(m_minuteur, &QTimer::timeout, this, &VerificationAffichage::flash_suivant);
}

void VerificationAffichage::demarre(const PlanVerification &plan)
{
    if (m_en_cours)
        return;
    m_plan = plan;
    if (m_plan.mots.isEmpty())
        m_plan.mots << QStringLiteral("Fantrel");
    m_flashs.clear();
    m_interrompue = false;
    m_en_cours = true;
    for (const QString &t : m_plan.mots)
        m_affichage.prepare_texte(t);
    m_affichage.prepare_texte(m_plan.entre);
    m_affichage.affich_texte(m_plan.entre);
    emit commencee();
    m_minuteur->start(pause_ms);
}

void VerificationAffichage::arrete()
{
    if (!m_en_cours)
        return;
    m_interrompue = m_flashs.size() < m_plan.flashs;
    m_minuteur->stop();
    m_en_cours = false;
    emit terminee();
}

void VerificationAffichage::flash_suivant()
{
    if (!m_en_cours)
        return;
    fait_flash();
    if (m_flashs.size() >= m_plan.flashs) {
        m_en_cours = false;
        emit terminee();
        return;
    }
    m_minuteur->start(pause_ms);
}

// The word's phase is timed from its frame, and the frame after it tells how long it
// stood: both as the trials do it (AffichageEssai::planifie, then presente).
void VerificationAffichage::fait_flash()
{
    const int numero = int(m_flashs.size()) + 1;
    const QString mot = m_plan.mots[(numero - 1) % m_plan.mots.size()];
    QVector<PhaseFlash> phases = m_plan.avant;
    const int rang_mot = int(phases.size());
    phases << PhaseFlash{ mot, m_plan.exposition_ms } << m_plan.apres;
    emit mot_flashe(mot);
    const QDateTime debut = QDateTime::currentDateTimeUtc();
    m_affichage.affich_texte(phases[0].texte);
    trials::ImageMontree image_mot = m_affichage.derniere_image();
    trials::ImageMontree apres_mot = image_mot;
    trials::PlanAffichage plan_mot;
    for (int i = 0; i < phases.size(); ++i) {
        const trials::PlanAffichage plan =
                m_affichage.planifie(std::chrono::milliseconds(phases[i].ms));
        const QString suivant = i + 1 < phases.size() ? phases[i + 1].texte : m_plan.entre;
        m_affichage.prepare_affichage(suivant);
        m_affichage.presente(suivant, plan);
        if (i + 1 == rang_mot)
            image_mot = m_affichage.derniere_image();
        if (i == rang_mot) {
            apres_mot = m_affichage.derniere_image();
            plan_mot = plan;
        }
    }
    base::FlashVerification f;
    f.debut_utc = debut;
    f.test = m_plan.test;
    f.numero = numero;
    f.mot = mot;
    f.exposition_ms = m_plan.exposition_ms;
    f.exposition_prevue_ms = en_ms(plan_mot.duree);
    f.exposition_mesuree_ms = en_ms(apres_mot.horodatage - image_mot.horodatage);
    if (apres_mot.images > 0) {
        f.images_prevues = plan_mot.images;
        f.images = apres_mot.images;
        f.images_manquees = apres_mot.manquees + apres_mot.en_avance;
    }
    f.horodatage_douteux = image_mot.douteuse || apres_mot.douteuse;
    f.verdict = verdict_flash(image_mot, apres_mot, plan_mot.images, f.exposition_prevue_ms,
                              f.exposition_mesuree_ms);
    m_prevue_ms = f.exposition_prevue_ms;
    m_flashs << f;
}

} // namespace fantrel::app

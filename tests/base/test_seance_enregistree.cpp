// A whole session through the recorder, as the program will run it: trials and events
// in one order, and at the next start the session lost without saving offered again,
// with what an earlier replay brought into it.
#include "essais_exemples.h"
#include "base/base_essais.h"
#include "base/enregistreur_essais.h"
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using namespace fantrel::base;

namespace {

QStringList noms(const QVector<ElementChronologie> &elements)
{
    QStringList n;
    for (const ElementChronologie &element : elements) {
        if (const auto *essai = std::get_if<Essai>(&element))
            n << QStringLiteral("essai %1").arg(essai->numero);
        else
            n << texte_nature(std::get<Evenement>(element).nature);
    }
    return n;
}

} // namespace

class TestSeanceEnregistree : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void ordre_partage_avec_les_evenements();
    void reprise_au_demarrage_suivant();
    void copie_plus_ancienne_tuee();

private:
    QTemporaryDir m_dossier;
    QString m_chemin;
};

void TestSeanceEnregistree::init()
{
    QVERIFY(m_dossier.isValid());
    static int n = 0;
    m_chemin = m_dossier.filePath(QStringLiteral("fantrel-%1.sqlite").arg(++n));
}

void TestSeanceEnregistree::ordre_partage_avec_les_evenements()
{
    EnregistreurEssais enregistreur(m_chemin);
    // Recorded before the session starts: waits for it.
    enregistreur.enregistre_evenement(Evenement::nouvel_utilisateur(1, QStringLiteral("Essai1")));
    QCOMPARE(enregistreur.en_attente(), 1);
    QCOMPARE(enregistreur.seance(), 0);
    enregistreur.commence_seance(exemples::seance_exemple(m_dossier.path()));
    Essai sans_heure = exemples::essai_boutons(1);
    sans_heure.debut_utc = QDateTime();
    const QDateTime avant = QDateTime::currentDateTimeUtc();
    enregistreur.enregistre_essai(sans_heure);
    enregistreur.enregistre_evenement(Evenement::enregistrement_fichier(QStringLiteral("a.res")));
    enregistreur.enregistre_essai(exemples::essai_melodie());
    QCOMPARE(enregistreur.en_attente(), 0);
    QVERIFY(enregistreur.seance() > 0);

    BaseEssais base(m_chemin);
    const QVector<Essai> essais = base.essais(enregistreur.seance());
    const QVector<Evenement> evenements = base.evenements(enregistreur.seance());
    QCOMPARE(essais.size(), 2);
    QCOMPARE(evenements.size(), 2);
    QCOMPARE(evenements[0].ordre, 1);
    QCOMPARE(essais[0].ordre, 2);
    QCOMPARE(evenements[1].ordre, 3);
    QCOMPARE(essais[1].ordre, 4);
    QVERIFY(essais[0].debut_utc >= avant.addMSecs(-1));
    QVERIFY(essais[0].debut_utc <= QDateTime::currentDateTimeUtc());
}

// Each recorder is one run of the program; dropping one without Evenement::fin() is
// a crash.
void TestSeanceEnregistree::reprise_au_demarrage_suivant()
{
    const QString poste = QStringLiteral("poste-1");
    const QString dossier = m_dossier.path();
    qint64 premiere = 0;
    {
        EnregistreurEssais a(m_chemin);
        QVERIFY(!a.seance_a_reprendre(poste, dossier));
        a.commence_seance(exemples::seance_exemple(dossier, poste));
        a.enregistre_evenement(Evenement::nouvel_utilisateur(1, QStringLiteral("Essai1")));
        a.enregistre_essai(exemples::essai_boutons(1));
        a.enregistre_essai(exemples::essai_boutons(2));
        premiere = a.seance();
    }
    qint64 seconde = 0;
    {
        EnregistreurEssais b(m_chemin);
        const std::optional<SeanceAReprendre> r = b.seance_a_reprendre(poste, dossier);
        QVERIFY(r);
        QCOMPARE(r->seance.id, premiere);
        QCOMPARE(r->essais_non_enregistres, 2);
        QCOMPARE(noms(r->chronologie), (QStringList{ "nouvel_utilisateur", "essai 1", "essai 2" }));
        QVERIFY(!b.seance_a_reprendre(QStringLiteral("poste-2"), dossier));
        b.commence_seance(exemples::seance_exemple(dossier, poste));
        b.enregistre_evenement(Evenement::reprise(premiere)); // replayed: not recorded again
        b.enregistre_essai(exemples::essai_boutons(3));
        seconde = b.seance();
    }
    {
        EnregistreurEssais c(m_chemin);
        const std::optional<SeanceAReprendre> r = c.seance_a_reprendre(poste, dossier);
        QVERIFY(r);
        QCOMPARE(r->seance.id, seconde);
        QCOMPARE(noms(r->chronologie),
                 (QStringList{ "nouvel_utilisateur", "essai 1", "essai 2", "essai 3" }));
        c.commence_seance(exemples::seance_exemple(dossier, poste));
        c.enregistre_evenement(Evenement::reprise(seconde));
        c.enregistre_evenement(Evenement::enregistrement_fichier(QStringLiteral("z.res")));
        c.enregistre_essai(exemples::essai_boutons(4));
        c.enregistre_evenement(Evenement::fin());
    }
    EnregistreurEssais d(m_chemin);
    QVERIFY2(!d.seance_a_reprendre(poste, dossier), "quittée proprement : rien à reprendre");
}

// Two copies of an older program in one folder: the older one killed, the newer one
// quit cleanly. The next start offers the killed one; declined, it is not asked again.
void TestSeanceEnregistree::copie_plus_ancienne_tuee()
{
    const QString poste = QStringLiteral("poste-1");
    const QString dossier = m_dossier.path();
    qint64 tuee = 0;
    {
        EnregistreurEssais ancienne(m_chemin);
        ancienne.commence_seance(exemples::seance_exemple(dossier, poste));
        ancienne.enregistre_essai(exemples::essai_boutons(1));
        tuee = ancienne.seance();
        EnregistreurEssais recente(m_chemin);
        recente.commence_seance(exemples::seance_exemple(dossier, poste));
        recente.enregistre_essai(exemples::essai_boutons(2));
        ancienne.enregistre_essai(exemples::essai_boutons(3)); // still alive meanwhile
        recente.enregistre_evenement(Evenement::fin());
    }
    {
        EnregistreurEssais suivant(m_chemin);
        const QVector<SeanceAReprendre> r = suivant.seances_a_reprendre(poste, dossier);
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].seance.id, tuee);
        QCOMPARE(noms(r[0].chronologie), (QStringList{ "essai 1", "essai 3" }));
        suivant.commence_seance(exemples::seance_exemple(dossier, poste));
        suivant.enregistre_evenement(Evenement::reprise_refusee(tuee));
    }
    EnregistreurEssais encore(m_chemin);
    QVERIFY(encore.seances_a_reprendre(poste, dossier).isEmpty());
}

QTEST_GUILESS_MAIN(TestSeanceEnregistree)
#include "test_seance_enregistree.moc"

// The word trials of both paradigms driven as the main window drives them, without it:
// a recording stand-in for the display, the waits skipped, what the trials say kept.
// The record line and the verdict, "?", the "test" flash, an exposure of 0 ms, the
// second paradigm's masks and chain, and a trial abandoned for another test.
#include "platform/interactions.h"
#include "platform/minuteur_hr.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include "trials/liste_exercice.h"
#include <QElapsedTimer>
#include <QtTest>

using namespace fantrel;
using trials::Cote;

namespace {

// The display as the trials see it: the frames presented, in order, each stamped now.
class AffichageEnregistre : public trials::AffichageEssai
{
public:
    QStringList montres;
    void affich_texte(const QString &texte) override { presente(texte, {}); }
    void prepare_affichage(const QString &) override { }
    void pose_texte(const QString &) override { }
    void prepare_texte(const QString &) override { }
    trials::PlanAffichage planifie(std::chrono::steady_clock::duration duree) const override
    {
        const auto due = std::chrono::steady_clock::now() + duree;
        return { due, due, 0, duree };
    }
    void presente(const QString &texte, const trials::PlanAffichage &) override
    {
        montres << texte;
        m_image.horodatage = std::chrono::steady_clock::now();
    }
    trials::ImageMontree derniere_image() const override { return m_image; }

private:
    trials::ImageMontree m_image;
};

// Four pairs, both paradigms on one display, and what their signals said.
struct Banc
{
    platform::RemplacementInteractions seams;
    QStringList informations;
    trials::EtatPartage etat;
    AffichageEnregistre affichage;
    trials::EssaiKorvane korvane{ etat, affichage };
    trials::EssaiMorbelle morbelle{ etat, affichage };
    QString mot_affiche, gauche, droite;
    bool commandes = false; // the answer controls offered
    QStringList lignes; // the record's lines
    QList<bool> verdicts;
    QList<trials::CompteRenduEssai> rendus;

    Banc()
    {
        seams->attente = [](int) {};
        seams->information = [this](const QString &t) { informations << t; };
        QStringList liste{ "$fiel  fier", "$mort  mors", "rang  $sang", "$peur  pour" };
        trials::tri_liste(liste, etat);
        etat.masque = QStringLiteral("#####");
        for (trials::EssaiMots *e :
             std::initializer_list<trials::EssaiMots *>{ &korvane, &morbelle }) {
            using trials::EssaiMots;
            QObject::connect(e, &EssaiMots::mot_choisi,
                             [this](const QString &m) { mot_affiche = m; });
            QObject::connect(e, &EssaiMots::propositions_montrees,
                             [this](const QString &g, const QString &d) {
                                 std::tie(gauche, droite, commandes) = std::tuple(g, d, true);
                             });
            QObject::connect(e, &EssaiMots::saisie_demandee, [this] { commandes = true; });
            QObject::connect(e, &EssaiMots::ligne_resultat,
                             [this](const QString &l) { lignes << l; });
            QObject::connect(e, &EssaiMots::verdict, [this](bool v) { verdicts << v; });
            QObject::connect(e, &EssaiMots::essai_termine,
                             [this](const trials::CompteRenduEssai &r) { rendus << r; });
        }
    }
    // Starts a trial and waits for its answer controls.
    bool lance(trials::EssaiMots &essai)
    {
        commandes = false;
        essai.BitBtn2Click();
        return QTest::qWaitFor([this] { return commandes; }, 3000);
    }
    // The side that shows mot (juste) or the other word.
    Cote cote(const QString &mot, bool juste) const
    {
        return (gauche == mot) == juste ? Cote::gauche : Cote::droite;
    }
};

} // namespace

class TestEssaisMots : public QObject
{
    Q_OBJECT
private slots:
    void liste_entiere_morbelle();
    void ligne_resultat_et_verdict_data();
    void ligne_resultat_et_verdict();
    void point_d_interrogation_n_ecrit_rien();
    void bouton_test_n_ecrit_rien();
    void exposition_nulle_une_image();
    void masques_morbelle_data();
    void masques_morbelle();
    void chaine_morbelle_data();
    void chaine_morbelle();
    void abandonne_data();
    void abandonne();
    void rendu_retenu_jamais_perdu_data();
    void rendu_retenu_jamais_perdu();
};

// A whole list in the second paradigm, each chain seen to its end before answering.
void TestEssaisMots::liste_entiere_morbelle()
{
    Banc b;
    for (int phase = 0; phase < trials::nb_phases; ++phase)
        b.morbelle.definir_duree(phase, 10);
    for (int essai = 1; essai <= 4; ++essai) {
        b.affichage.montres.clear();
        QVERIFY(b.lance(b.morbelle));
        QTRY_COMPARE(b.affichage.montres.size(), 5);
        QCOMPARE(b.affichage.montres,
                 QStringList(
                         { b.etat.masque1, b.mot_affiche, QString(), b.etat.masque2, QString() }));
        for (auto *m : { b.morbelle.Async_masque1, b.morbelle.Async_mot, b.morbelle.Async_blanc,
                         b.morbelle.Async_masque2 })
            QVERIFY(!m->actif());
        b.morbelle.reponse_bouton(b.cote(b.mot_affiche, true));
        QCOMPARE(b.verdicts.last(), true);
    }
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QCOMPARE(b.lignes.size(), 4);
}

void TestEssaisMots::ligne_resultat_et_verdict_data()
{
    QTest::addColumn<bool>("juste");
    QTest::newRow("bonne réponse") << true;
    QTest::newRow("mauvaise réponse") << false;
}

// The side clicked gives the word the trial proposed there, whatever a caption says.
void TestEssaisMots::ligne_resultat_et_verdict()
{
    QFETCH(bool, juste);
    Banc b;
    for (int essai = 1; essai <= 2; ++essai) {
        QVERIFY(b.lance(b.korvane));
        const QString m1 = b.etat.mots[1], m2 = b.etat.mots[2];
        const QString montre = essai == 1 ? m2 : m1;
        QCOMPARE(b.mot_affiche, montre);
        const QString prop = b.gauche == m1 ? "$" + m1 + " " + m2 : m2 + " $" + m1;
        const Cote cote = b.cote(montre, juste);
        const QString repondu = cote == Cote::gauche ? b.gauche : b.droite;
        b.korvane.reponse_bouton(cote);
        QCOMPARE(b.lignes.last(),
                 QStringLiteral("Mot affiché=") + montre + " prop=" + prop
                         + QStringLiteral(" répondu=") + repondu);
        QCOMPARE(b.etat.bonne_reponse, juste);
        QCOMPARE(b.verdicts, QList<bool>(essai, juste));
        QCOMPARE(b.rendus.last().reponse, repondu);
    }
}

void TestEssaisMots::point_d_interrogation_n_ecrit_rien()
{
    Banc b;
    for (int essai = 1; essai <= 4; ++essai) {
        QVERIFY(b.lance(b.korvane));
        b.korvane.Bit_rep3Click();
    }
    QVERIFY(b.lignes.isEmpty());
    QVERIFY(b.verdicts.isEmpty());
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
}

void TestEssaisMots::bouton_test_n_ecrit_rien()
{
    Banc b;
    b.korvane.SpeedButton2Click();
    QTRY_COMPARE(b.affichage.montres.size(), 2);
    bool ok = false;
    const int nombre = b.affichage.montres[0].toInt(&ok);
    QVERIFY(ok && nombre >= 100 && nombre <= 1099);
    QCOMPARE(b.affichage.montres[1], b.etat.masque);
    QTest::qWait(50);
    QVERIFY(!b.commandes);
    QVERIFY(!b.etat.essai_mire);
    QVERIFY(b.lignes.isEmpty());
}

// At 0 ms the word is presented for one frame: the mask follows at once, and the
// answer is asked for.
void TestEssaisMots::exposition_nulle_une_image()
{
    Banc b;
    b.korvane.AsyncTimer2->definir_intervalle(0);
    b.korvane.BitBtn2Click();
    QCOMPARE(b.affichage.montres, (QStringList{ b.mot_affiche, b.etat.masque }));
    QVERIFY(b.commandes);
}

void TestEssaisMots::masques_morbelle_data()
{
    QTest::addColumn<int>("longueur");
    QTest::addColumn<int>("l1");
    QTest::addColumn<int>("l2");
    QTest::newRow("10 signes") << 10 << 10 << 10;
    QTest::newRow("14 signes") << 14 << 11 << 12;
}

// The typed masks cut to the first paradigm's mask length.
void TestEssaisMots::masques_morbelle()
{
    QFETCH(int, longueur);
    QFETCH(int, l1);
    QFETCH(int, l2);
    Banc b;
    b.etat.masque = QString(longueur, u'*');
    b.etat.mots = { QString(), QStringLiteral("fiel"), QStringLiteral("fier") };
    b.etat.rang_mot = 2;
    b.morbelle.BitBtn5Click();
    QCOMPARE(b.etat.masque1, QString(l1, u'&'));
    QCOMPARE(b.etat.masque2, QString(l2, u'#'));
    QCOMPARE(b.etat.mot_morbelle, QStringLiteral("fier"));
    QCOMPARE(b.affichage.montres, QStringList{ b.etat.masque1 });
    b.morbelle.Async_masque1->definir_actif(false);
}

void TestEssaisMots::chaine_morbelle_data()
{
    QTest::addColumn<QList<int>>("durees");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("quatre phases")
            << QList<int>{ 20, 15, 15, 20 } << QStringList{ "M1", "MOT", "", "M2", "" };
    QTest::newRow("mot nul sauté")
            << QList<int>{ 20, 0, 15, 20 } << QStringList{ "M1", "", "M2", "" };
    // The blank and the end are both an empty text: two frames.
    QTest::newRow("masques nuls") << QList<int>{ 0, 15, 15, 0 } << QStringList{ "MOT", "", "" };
}

// The chain runs during the wait before the answer, one timer at a time.
void TestEssaisMots::chaine_morbelle()
{
    QFETCH(QList<int>, durees);
    QFETCH(QStringList, attendu);
    Banc b;
    for (int phase = 0; phase < trials::nb_phases; ++phase)
        b.morbelle.definir_duree(phase, durees[phase]);
    int actifs_max = 0;
    b.seams->attente = [&](int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 1);
            int actifs = 0;
            for (auto *m : { b.morbelle.Async_masque1, b.morbelle.Async_mot, b.morbelle.Async_blanc,
                             b.morbelle.Async_masque2 })
                actifs += m->actif();
            actifs_max = std::max(actifs_max, actifs);
        }
    };
    b.morbelle.BitBtn2Click();
    QVERIFY(b.commandes);
    QStringList attendu_textes;
    for (const QString &a : attendu)
        attendu_textes << (a == "M1"            ? b.etat.masque1
                                   : a == "M2"  ? b.etat.masque2
                                   : a == "MOT" ? b.etat.mot_morbelle
                                                : QString());
    QCOMPARE(b.affichage.montres, attendu_textes);
    QCOMPARE(actifs_max, 1);
}

void TestEssaisMots::abandonne_data()
{
    QTest::addColumn<bool>("morbelle");
    QTest::addColumn<bool>("saisie");
    QTest::addColumn<bool>("reponse_attendue"); // else abandoned during the exposure
    QTest::newRow("Korvane, réponse attendue") << false << false << true;
    QTest::newRow("saisie libre, réponse attendue") << false << true << true;
    QTest::newRow("Morbelle, chaîne en cours") << true << false << true;
    QTest::newRow("Korvane, pendant l'exposition") << false << false << false;
}

// Another test chosen: the trial stops where it is, shows nothing more, takes no
// answer and reports nothing; the next trial is whole.
void TestEssaisMots::abandonne()
{
    QFETCH(bool, morbelle);
    QFETCH(bool, saisie);
    QFETCH(bool, reponse_attendue);
    Banc b;
    trials::EssaiMots &essai = morbelle ? static_cast<trials::EssaiMots &>(b.morbelle) : b.korvane;
    if (saisie)
        essai.definir_mode_reponse(trials::ModeReponse::saisie_libre);
    for (int phase = 0; phase < trials::nb_phases; ++phase)
        b.morbelle.definir_duree(phase, 50);
    if (reponse_attendue)
        QVERIFY(b.lance(essai));
    else
        essai.BitBtn2Click(); // the mask still to come
    essai.abandonne();
    const QStringList vus = b.affichage.montres;
    essai.reponse_bouton(Cote::gauche);
    essai.reponse_saisie(b.mot_affiche);
    QTest::qWait(300);
    QCOMPARE(b.affichage.montres, vus);
    QCOMPARE(b.commandes, reponse_attendue);
    QVERIFY(b.lignes.isEmpty() && b.verdicts.isEmpty() && b.rendus.isEmpty());

    QVERIFY(b.lance(essai));
    if (saisie)
        essai.reponse_saisie(b.mot_affiche);
    else
        essai.reponse_bouton(b.cote(b.mot_affiche, true));
    QCOMPARE(b.verdicts, QList<bool>{ true });
    QTRY_COMPARE(b.rendus.size(), 1);
    QCOMPARE(b.rendus[0].numero, 2);
    QCOMPARE(b.lignes.size(), 1);
}

void TestEssaisMots::rendu_retenu_jamais_perdu_data()
{
    QTest::addColumn<bool>("abandon"); // else the start button clicked again
    QTest::newRow("essai suivant lancé") << false;
    QTest::newRow("autre test choisi") << true;
}

// The second paradigm answered while its long chain still runs (waits cut short): the
// trial's report is held for the chain's measures, and goes out, once, before the next
// trial starts or the test changes, never dropped.
void TestEssaisMots::rendu_retenu_jamais_perdu()
{
    QFETCH(bool, abandon);
    Banc b;
    for (int phase = 0; phase < trials::nb_phases; ++phase)
        b.morbelle.definir_duree(phase, 400);
    QVERIFY(b.lance(b.morbelle));
    b.morbelle.reponse_bouton(b.cote(b.mot_affiche, true));
    QVERIFY(b.rendus.isEmpty()); // held: the chain runs on
    if (abandon)
        b.morbelle.abandonne();
    else
        QVERIFY(b.lance(b.morbelle));
    QCOMPARE(b.rendus.size(), 1);
    QCOMPARE(b.rendus[0].numero, 1);
    QCOMPARE(b.rendus[0].correct, std::optional<bool>(true));
    QTest::qWait(abandon ? 300 : 0);
    if (!abandon) {
        b.morbelle.reponse_bouton(b.cote(b.mot_affiche, true));
        QTRY_COMPARE_WITH_TIMEOUT(b.rendus.size(), 2, 5000);
        QCOMPARE(b.rendus[1].numero, 2);
        QVERIFY(b.rendus[1].phases_mesurees_ms);
    }
    QCOMPARE(b.rendus.size(), abandon ? 1 : 2);
}

QTEST_GUILESS_MAIN(TestEssaisMots)
#include "test_essais_mots.moc"

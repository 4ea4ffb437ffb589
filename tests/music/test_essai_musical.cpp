// The musical trial with stand-in controls and seams: the melody heard note by note,
// the incongruous note, the answer table and the tallies, the end of a series, and
// ill-formed lines that must not block the listen button.
#include "platform/minuteur_hr.h"
#include "music/essai_musical.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/liaison.h"
#include "trials/etat_partage.h"
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace fantrel;

namespace {

struct Son
{
    int frequence; // 0: a wait (rest)
    int duree;
    bool operator==(const Son &) const = default;
};

// The main window's part of the test, the seams recording what is heard and shown.
struct Banc
{
    platform::RemplacementInteractions seams;
    trials::EtatPartage etat;
    QPushButton BitBtn_ecoute, bit_rep1, bit_rep2;
    QLabel lab_mot_aff;
    QPlainTextEdit Memo_music;
    QLineEdit Edit_incongru{ u"+1/2"_qs };
    QLineEdit Edit3{ u"10"_qs };
    int mode = 2;
    QVector<Son> sons;
    QStringList informations, erreurs;
    QVector<QPair<int, bool>> comptes; // rang_mot, bonne_reponse at each tally
    QVector<bool> verdicts;
    std::unique_ptr<music::EssaiMusical> essai;

    explicit Banc(const QString &melodies)
    {
        etat.hasard.graine(1234);
        Memo_music.setPlainText(melodies);
        bit_rep1.hide();
        bit_rep2.hide();
        seams->bip = [this](int f, int d) { sons.append({ f, d }); };
        seams->attente = [this](int ms) { sons.append({ 0, ms }); };
        seams->information = [this](const QString &t) { informations << t; };
        seams->erreur = [this](const QString &t) { erreurs << t; };
        // The stand-in controls follow the trial as the main window's do.
        essai = std::make_unique<music::EssaiMusical>(etat);
        using music::EssaiMusical;
        QObject::connect(essai.get(), &EssaiMusical::ecoute_permise, &BitBtn_ecoute,
                         &QPushButton::setEnabled);
        QObject::connect(essai.get(), &EssaiMusical::melodie_tiree, &lab_mot_aff, &QLabel::setText);
        QObject::connect(essai.get(), &EssaiMusical::reponses_montrees, &bit_rep1, &QWidget::show);
        QObject::connect(essai.get(), &EssaiMusical::reponses_montrees, &bit_rep2, &QWidget::show);
        QObject::connect(essai.get(), &EssaiMusical::reponses_cachees, &bit_rep1, &QWidget::hide);
        QObject::connect(essai.get(), &EssaiMusical::reponses_cachees, &bit_rep2, &QWidget::hide);
        QObject::connect(essai.get(), &EssaiMusical::reponse_comptee, essai.get(), [this](int) {
            comptes.append({ etat.rang_mot, etat.bonne_reponse });
        });
        QObject::connect(essai.get(), &EssaiMusical::verdict, essai.get(),
                         [this](bool bon) { verdicts.append(bon); });
    }

    // The settings of the moment, as the main window reads them from its controls.
    music::ReglagesMusique reglages() const
    {
        return { Edit3.text(), platform::decoupe_lignes(Memo_music.toPlainText()),
                 Edit_incongru.text(), mode };
    }

    void clic_ecoute() { essai->BitBtn_ecouteClick(reglages()); }

    // Clicks the listen button and waits for the answer buttons.
    bool ecoute()
    {
        sons.clear();
        clic_ecoute();
        if (BitBtn_ecoute.isEnabled())
            return false;
        return QTest::qWaitFor([this] { return !bit_rep1.isHidden() && !bit_rep2.isHidden(); },
                               5000);
    }
};

} // namespace

class TestEssaiMusical : public QObject
{
    Q_OBJECT
private slots:
    void melodie_entendue();
    void note_incongrue_a_la_fin();
    void position_aleatoire_une_seule_note();
    void pas_d_incongruite_juge_quand_meme();
    void reponses_data();
    void reponses();
    void fin_de_serie();
    void ligne_mal_formee_data();
    void ligne_mal_formee();
    void erreur_par_le_clic();
};

void TestEssaiMusical::melodie_entendue()
{
    Banc banc(u"gamme,3,cdo2 nré2 - bmi2(+1/2) xyz2 la2"_qs);
    banc.mode = 0;
    QVERIFY(banc.ecoute());
    const QVector<Son> attendus = { { 262, 80 },  { 294, 160 }, { 0, 80 },
                                    { 339, 320 }, { 0, 80 },    { 440, 80 } };
    QCOMPARE(banc.sons, attendus);
    QCOMPARE(banc.essai->ligne_melodie, u"3,cdo2 nré2 - bmi2(+1/2) xyz2 la2"_qs);
    QCOMPARE(banc.essai->nb_notes, 6);
    QCOMPARE(banc.essai->note_courante, 7);
    QCOMPARE(banc.essai->Async_note->intervalle(), quint16(3));
    QVERIFY(!banc.essai->Async_note->actif());
    QVERIFY(!banc.BitBtn_ecoute.isEnabled());
    QCOMPARE(banc.etat.num_essai, 1);
    QCOMPARE(banc.lab_mot_aff.text(),
             banc.essai->incongru == 1 ? u"Incongruité"_qs : u"Pas d'incongruité"_qs);
}

void TestEssaiMusical::note_incongrue_a_la_fin()
{
    Banc banc(u"a,2,cdo2 cla2 - \nb,2,nmi2 - -"_qs);
    int incongrues = 0, justes = 0;
    for (int essai = 0; essai < 10; ++essai) {
        QVERIFY(banc.ecoute());
        banc.essai->bit_rep1Click();
        const bool a = banc.essai->ligne_melodie.startsWith(u"2,cdo2"_qs);
        const int derniere = a ? 440 : 329;
        const int decalee = a ? 467 : 339;
        QVector<Son> attendus = a ? QVector<Son>{ { 262, 80 }, { derniere, 80 }, { 0, 80 } }
                                  : QVector<Son>{ { derniere, 160 }, { 0, 80 }, { 0, 80 } };
        if (banc.essai->incongru == 1) {
            (a ? attendus[1] : attendus[0]).frequence = decalee;
            ++incongrues;
        } else {
            ++justes;
        }
        QCOMPARE(banc.sons, attendus);
    }
    QVERIFY2(incongrues > 0 && justes > 0, "ten melodies drawn all alike");
}

void TestEssaiMusical::position_aleatoire_une_seule_note()
{
    // Each token as written, and raised by half its step (0: may not be chosen).
    const QVector<int> simples = { 262, 294, 329, 0, 349, 392, 467, 494, 523, 440, 392 };
    const QVector<int> decalees = { 278, 312, 339, 0, 371, 416, 0, 508, 555, 467, 416 };
    Banc banc(u"gamme,1,cdo2 cré2 cmi2 - cfa2 cso2 cla2(+1/2) csi2 cdo3 cla2 cso2"_qs);
    banc.mode = 1;
    int incongrues = 0;
    for (int essai = 0; essai < 10; ++essai) {
        QVERIFY(banc.ecoute());
        banc.essai->bit_rep2Click();
        QCOMPARE(banc.sons.size(), simples.size());
        int differentes = 0;
        for (int k = 0; k < simples.size(); ++k) {
            if (banc.sons[k].frequence == simples[k])
                continue;
            ++differentes;
            QVERIFY2(decalees[k] != 0, qPrintable(u"token %1 may not be shifted"_qs.arg(k)));
            QCOMPARE(banc.sons[k].frequence, decalees[k]);
        }
        QCOMPARE(differentes, banc.essai->incongru == 1 ? 1 : 0);
        incongrues += banc.essai->incongru;
    }
    QVERIFY(incongrues > 0);
}

void TestEssaiMusical::pas_d_incongruite_juge_quand_meme()
{
    Banc banc(u"a,1,cdo2 cmi2 cso2"_qs);
    banc.mode = 0;
    int incongrues = 0;
    for (int essai = 0; essai < 10; ++essai) {
        QVERIFY(banc.ecoute());
        QCOMPARE(banc.sons, (QVector<Son>{ { 262, 80 }, { 329, 80 }, { 392, 80 } }));
        incongrues += banc.essai->incongru;
        QCOMPARE(banc.lab_mot_aff.text(),
                 banc.essai->incongru == 1 ? u"Incongruité"_qs : u"Pas d'incongruité"_qs);
        banc.essai->bit_rep1Click();
        QCOMPARE(banc.comptes.last().first, banc.essai->incongru == 1 ? 1 : 2);
    }
    QVERIFY2(incongrues > 0 && incongrues < 10, "the draw does not split the melodies");
}

void TestEssaiMusical::reponses_data()
{
    QTest::addColumn<int>("incongru");
    QTest::addColumn<bool>("faux"); // "C'était faux" clicked
    QTest::addColumn<int>("rang_mot");
    QTest::addColumn<bool>("bonne");
    QTest::newRow("incongrue, répondu mélodie fausse") << 1 << true << 1 << true;
    QTest::newRow("incongrue, répondu mélodie juste") << 1 << false << 1 << false;
    QTest::newRow("juste, répondu mélodie juste") << 0 << false << 2 << true;
    QTest::newRow("juste, répondu mélodie fausse") << 0 << true << 2 << false;
}

void TestEssaiMusical::reponses()
{
    QFETCH(int, incongru);
    QFETCH(bool, faux);
    QFETCH(int, rang_mot);
    QFETCH(bool, bonne);
    Banc banc(u"a,1,cla2"_qs);
    QVERIFY(banc.ecoute());
    banc.essai->incongru = incongru;
    faux ? banc.essai->bit_rep2Click() : banc.essai->bit_rep1Click();
    QCOMPARE(banc.etat.rang_mot, rang_mot);
    QCOMPARE(banc.etat.bonne_reponse, bonne);
    // One tally call: the window counts it in the user's row and the sum row.
    QCOMPARE(banc.comptes, (QVector<QPair<int, bool>>{ { rang_mot, bonne } }));
    QCOMPARE(banc.verdicts, QVector<bool>{ bonne });
    QVERIFY(banc.BitBtn_ecoute.isEnabled());
    QVERIFY(banc.bit_rep1.isHidden());
    QVERIFY(banc.bit_rep2.isHidden());
}

void TestEssaiMusical::fin_de_serie()
{
    Banc banc(u"a,1,cla2"_qs);
    banc.Edit3.setText(u"3"_qs);
    banc.etat.num_essai = 1; // a word trial since the last new user counts too
    for (int essai = 0; essai < 2; ++essai) {
        QVERIFY(banc.ecoute());
        banc.essai->bit_rep1Click();
    }
    QVERIFY(banc.informations.isEmpty());
    banc.sons.clear();
    banc.clic_ecoute();
    QCOMPARE(banc.informations, QStringList{ u"Plus de tests"_qs });
    QVERIFY(!banc.BitBtn_ecoute.isEnabled());
    QCOMPARE(banc.etat.num_essai, 4);
    QTest::qWait(20);
    QVERIFY(banc.sons.isEmpty());
    QVERIFY(banc.bit_rep1.isHidden());
}

void TestEssaiMusical::ligne_mal_formee_data()
{
    QTest::addColumn<QString>("melodies");
    QTest::addColumn<QString>("serie");
    QTest::addColumn<QString>("message");
    const QString pas_entier = u"'%1' n'est pas une valeur entière correcte"_qs;
    QTest::newRow("liste vide") << QString() << u"10"_qs << pas_entier.arg(QString());
    QTest::newRow("sans virgule") << u"cla2 cdo2"_qs << u"10"_qs << pas_entier.arg(QString());
    QTest::newRow("rythme non numérique")
            << u"a,vite,cla2"_qs << u"10"_qs << pas_entier.arg(u"vite"_qs);
    QTest::newRow("rythme 0") << u"a,0,cla2"_qs << u"10"_qs << u"Rythme nul"_qs;
    QTest::newRow("aucune note") << u"a,100,"_qs << u"10"_qs << u"Mélodie vide"_qs;
    QTest::newRow("décalage non numérique")
            << u"a,100,cla2(+x/2)"_qs << u"10"_qs << pas_entier.arg(u"+x"_qs);
    QTest::newRow("taille de série non numérique")
            << u"a,100,cla2"_qs << u"dix"_qs << pas_entier.arg(u"dix"_qs);
}

void TestEssaiMusical::ligne_mal_formee()
{
    QFETCH(QString, melodies);
    QFETCH(QString, serie);
    QFETCH(QString, message);
    Banc banc(melodies);
    banc.mode = 0;
    banc.Edit3.setText(serie);
    banc.lab_mot_aff.setText(u"avant"_qs);
    try {
        banc.clic_ecoute();
        QFAIL("no error raised");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY2(banc.BitBtn_ecoute.isEnabled(), "the listen button stays blocked");
    QCOMPARE(banc.etat.num_essai, 0);
    QVERIFY(!banc.essai->Async_note->actif());
    QCOMPARE(banc.lab_mot_aff.text(), u"avant"_qs);
    QTest::qWait(10);
    QVERIFY(banc.sons.isEmpty());
}

void TestEssaiMusical::erreur_par_le_clic()
{
    // Through a real click the error reaches the error box, and the next click plays.
    Banc banc(u"a,0,cla2"_qs);
    banc.mode = 0;
    platform::relie(&banc.BitBtn_ecoute, &QPushButton::clicked, banc.essai.get(),
                    [&banc] { banc.clic_ecoute(); });
    QWidget fenetre;
    banc.BitBtn_ecoute.setParent(&fenetre);
    fenetre.show();
    QTest::mouseClick(&banc.BitBtn_ecoute, Qt::LeftButton);
    QCOMPARE(banc.erreurs, QStringList{ u"Rythme nul"_qs });
    banc.Memo_music.setPlainText(u"a,1,cla2"_qs);
    QTest::mouseClick(&banc.BitBtn_ecoute, Qt::LeftButton);
    QTRY_VERIFY(!banc.bit_rep1.isHidden());
    QCOMPARE(banc.sons, (QVector<Son>{ { 440, 80 } }));
    banc.BitBtn_ecoute.setParent(nullptr);
}

FANTREL_TEST_MAIN(TestEssaiMusical)
#include "test_essai_musical.moc"

// The musical trial with stand-in controls and seams: the melody heard note by note,
// the incongruous note, the answer table and the tallies, the end of a series,
// ill-formed lines that must not block the listen button, the answer buttons at the
// stream's end, and the schedule kept on the clock without an audio device.
#include "music/essai_musical.h"
#include "music/sortie_audio.h"
#include "sortie_enregistree.h"
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
#include <algorithm>
#include <chrono>
#include <memory>

using namespace fantrel;

namespace {

using Son = SonEntendu;

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
    SortieEnregistree *sortie = nullptr; // the stand-in output
    QStringList informations, erreurs;
    QVector<QPair<int, bool>> comptes; // rang_mot, bonne_reponse at each tally
    QVector<bool> verdicts;
    std::unique_ptr<music::EssaiMusical> essai;

    // sans_peripherique: the program's output with no audio device instead of the stand-in.
    explicit Banc(const QString &melodies, bool sans_peripherique = false)
    {
        etat.hasard.graine(1234);
        Memo_music.setPlainText(melodies);
        bit_rep1.hide();
        bit_rep2.hide();
        seams->sortie_son = [this, sans_peripherique]() -> std::unique_ptr<platform::SortieSon> {
            if (sans_peripherique)
                return std::make_unique<music::SortieAudio>(QAudioDevice());
            auto enregistree = std::make_unique<SortieEnregistree>();
            sortie = enregistree.get();
            return enregistree;
        };
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

    // The notes heard in the last stream played.
    QVector<Son> sons() const
    {
        return sortie->flux.isEmpty() ? QVector<Son>{} : sons_entendus(sortie->flux.last());
    }

    // Clicks the listen button and waits for the answer buttons.
    bool ecoute()
    {
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
    void horloge_au_rythme_data();
    void horloge_au_rythme();
    void reponses_a_la_fin_du_flux();
};

void TestEssaiMusical::melodie_entendue()
{
    Banc banc(u"gamme,3,cdo2 nré2 - bmi2(+1/2) xyz2 la2"_qs);
    banc.mode = 0;
    QVERIFY(banc.ecoute());
    // The rest and the unknown name are silence.
    const QVector<Son> attendus = { { 262, 80 }, { 294, 160 }, { 339, 320 }, { 440, 80 } };
    QCOMPARE(banc.sons(), attendus);
    QCOMPARE(banc.sortie->flux.size(), 1);
    QCOMPARE(banc.essai->ligne_melodie, u"3,cdo2 nré2 - bmi2(+1/2) xyz2 la2"_qs);
    QCOMPARE(banc.essai->nb_notes, 6);
    QCOMPARE(banc.essai->note_courante, 7);
    // One rhythm (3 ms) of silence before the first note, at 44.1 kHz.
    QCOMPARE(banc.essai->flux.debuts.first(), qint64(132));
    QVERIFY(!banc.sortie->en_lecture());
    QVERIFY(!banc.BitBtn_ecoute.isEnabled());
    QCOMPARE(banc.etat.num_essai, 1);
    QCOMPARE(banc.lab_mot_aff.text(),
             banc.essai->incongru == 1 ? u"Incongruité"_qs : u"Pas d'incongruité"_qs);
}

// Which melody was drawn and whether it was incongruous are told by the notes
// heard alone; the label and the verdict must agree with them.
void TestEssaiMusical::note_incongrue_a_la_fin()
{
    Banc banc(u"a,2,cdo2 cla2 - \nb,2,nmi2 - -"_qs);
    // Each melody as heard plain, and with its last note raised by half a step.
    const QVector<Son> a = { { 262, 80 }, { 440, 80 } };
    const QVector<Son> a_faux = { { 262, 80 }, { 467, 80 } };
    const QVector<Son> b = { { 329, 160 } };
    const QVector<Son> b_faux = { { 339, 160 } };
    int incongrues = 0, justes = 0;
    for (int essai = 0; essai < 10; ++essai) {
        QVERIFY(banc.ecoute());
        const QVector<Son> sons = banc.sons();
        const bool faux = sons == a_faux || sons == b_faux;
        QVERIFY2(faux || sons == a || sons == b, "neither melody, plain or shifted at its end");
        QCOMPARE(banc.lab_mot_aff.text(), faux ? u"Incongruité"_qs : u"Pas d'incongruité"_qs);
        banc.essai->bit_rep1Click(); // "C'était juste"
        QCOMPARE(banc.verdicts.last(), !faux);
        (faux ? incongrues : justes) += 1;
    }
    QVERIFY2(incongrues > 0 && justes > 0, "ten melodies drawn all alike");
}

void TestEssaiMusical::position_aleatoire_une_seule_note()
{
    // Each note as written, and raised by half its step (0: may not be chosen); the
    // rest after the third note is silence.
    const QVector<int> simples = { 262, 294, 329, 349, 392, 467, 494, 523, 440, 392 };
    const QVector<int> decalees = { 278, 312, 339, 371, 416, 0, 508, 555, 467, 416 };
    Banc banc(u"gamme,1,cdo2 cré2 cmi2 - cfa2 cso2 cla2(+1/2) csi2 cdo3 cla2 cso2"_qs);
    banc.mode = 1;
    int incongrues = 0;
    for (int essai = 0; essai < 10; ++essai) {
        QVERIFY(banc.ecoute());
        banc.essai->bit_rep2Click();
        const QVector<Son> sons = banc.sons();
        QCOMPARE(sons.size(), simples.size());
        int differentes = 0;
        for (int k = 0; k < simples.size(); ++k) {
            if (sons[k].frequence == simples[k])
                continue;
            ++differentes;
            QVERIFY2(decalees[k] != 0, qPrintable(u"note %1 may not be shifted"_qs.arg(k)));
            QCOMPARE(sons[k].frequence, decalees[k]);
        }
        QVERIFY(differentes <= 1);
        // "C'était faux" was clicked: right exactly when a note was heard shifted.
        QCOMPARE(banc.verdicts.last(), differentes == 1);
        QCOMPARE(banc.comptes.last().first, differentes == 1 ? 1 : 2);
        incongrues += differentes;
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
        QCOMPARE(banc.sons(), (QVector<Son>{ { 262, 80 }, { 329, 80 }, { 392, 80 } }));
        // Nothing is shifted in this mode: the draw the experimenter reads decides.
        const bool tiree_incongrue = banc.lab_mot_aff.text() == u"Incongruité"_qs;
        QVERIFY(tiree_incongrue || banc.lab_mot_aff.text() == u"Pas d'incongruité"_qs);
        incongrues += tiree_incongrue;
        banc.essai->bit_rep1Click();
        QCOMPARE(banc.comptes.last().first, tiree_incongrue ? 1 : 2);
        QCOMPARE(banc.verdicts.last(), !tiree_incongrue);
    }
    QVERIFY2(incongrues > 0 && incongrues < 10, "the draw does not split the melodies");
}

void TestEssaiMusical::reponses_data()
{
    QTest::addColumn<bool>("incongrue"); // the melody heard with its note raised
    QTest::addColumn<bool>("faux"); // "C'était faux" clicked
    QTest::addColumn<int>("rang_mot");
    QTest::addColumn<bool>("bonne");
    QTest::newRow("incongrue, répondu mélodie fausse") << true << true << 1 << true;
    QTest::newRow("incongrue, répondu mélodie juste") << true << false << 1 << false;
    QTest::newRow("juste, répondu mélodie juste") << false << false << 2 << true;
    QTest::newRow("juste, répondu mélodie fausse") << false << true << 2 << false;
}

void TestEssaiMusical::reponses()
{
    QFETCH(bool, incongrue);
    QFETCH(bool, faux);
    QFETCH(int, rang_mot);
    QFETCH(bool, bonne);
    Banc banc(u"a,1,cla2"_qs);
    banc.Edit3.setText(u"100"_qs);
    // Melodies are played and answered until one is heard as the row wants it:
    // la2 is 440 Hz, raised by half a step 467 Hz.
    for (int essai = 0; essai < 50; ++essai) {
        QVERIFY(banc.ecoute());
        const QVector<Son> juste{ { 440, 80 } }, haussee{ { 467, 80 } };
        QVERIFY(banc.sons() == juste || banc.sons() == haussee);
        if ((banc.sons()[0].frequence == 467) == incongrue)
            break;
        banc.essai->bit_rep1Click();
    }
    QCOMPARE(banc.sons()[0].frequence == 467, incongrue);
    banc.comptes.clear();
    banc.verdicts.clear();
    faux ? banc.essai->bit_rep2Click() : banc.essai->bit_rep1Click();
    QCOMPARE(banc.etat.rang_mot, rang_mot);
    QCOMPARE(banc.etat.bonne_reponse, bonne);
    // One tally call: the window counts it in the user's row and the sum row.
    QCOMPARE(banc.comptes, (QVector<QPair<int, bool>>{ { rang_mot, bonne } }));
    QCOMPARE(banc.verdicts, QVector<bool>{ bonne });
    QVERIFY(banc.BitBtn_ecoute.isEnabled());
    QVERIFY(banc.bit_rep1.isHidden());
    QVERIFY(banc.bit_rep2.isHidden());
    // A second click finds no melody awaiting its answer: nothing more is counted.
    banc.essai->bit_rep1Click();
    QCOMPARE(banc.comptes.size(), 1);
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
    banc.clic_ecoute();
    QCOMPARE(banc.informations, QStringList{ u"Plus de tests"_qs });
    QVERIFY(!banc.BitBtn_ecoute.isEnabled());
    QCOMPARE(banc.etat.num_essai, 4);
    QTest::qWait(20);
    QCOMPARE(banc.sortie->flux.size(), 2);
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
    QVERIFY(!banc.sortie->en_lecture());
    QCOMPARE(banc.lab_mot_aff.text(), u"avant"_qs);
    QTest::qWait(10);
    QVERIFY(banc.sortie->flux.isEmpty());
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
    QCOMPARE(banc.sons(), (QVector<Son>{ { 440, 80 } }));
    banc.BitBtn_ecoute.setParent(nullptr);
}

void TestEssaiMusical::horloge_au_rythme_data()
{
    QTest::addColumn<QString>("melodie");
    QTest::newRow("notes plus courtes que le rythme") << u"a,150,cdo2 cré2 cmi2 cfa2 cso2 cla2"_qs;
    QTest::newRow("notes plus longues que le rythme") << u"a,40,ndo2 nré2 nmi2 nfa2 nso2 nla2"_qs;
    QTest::newRow("rythme rapide") << u"a,15,cdo2 cré2 cmi2 cfa2 cso2 cla2"_qs;
}

// Without an audio device the stream runs on the clock in silence: each entry's mark
// comes at its moment on the melody's schedule, never before, and the answer buttons
// at the stream's end. The bounds are generous: a property of the schedule, not a
// timing measure.
void TestEssaiMusical::horloge_au_rythme()
{
    QFETCH(QString, melodie);
    Banc banc(melodie, true);
    banc.mode = 0;
    using horloge = std::chrono::steady_clock;
    QVector<horloge::time_point> reperes;
    horloge::time_point remis{};
    platform::SortieSon *sortie = &banc.essai->sortie();
    QObject::connect(sortie, &platform::SortieSon::repere_atteint, sortie,
                     [&] { reperes.append(horloge::now()); });
    QObject::connect(sortie, &platform::SortieSon::debut, sortie,
                     [&](horloge::time_point t, double) { remis = t; });
    banc.clic_ecoute();
    QVERIFY(QTest::qWaitFor([&] { return !banc.bit_rep1.isHidden(); }, 10000));
    const auto fin = horloge::now();
    QCOMPARE(banc.essai->latence_sortie_ms, std::optional<double>(0.0));
    QVERIFY(banc.essai->debut_son_ms.value_or(-1) >= 0);

    const music::PartiesMelodie parties = music::separe_rythme(music::sans_nom(melodie));
    const QVector<qint64> prevu =
            music::horaire_notes(music::analyse_notes(parties.notes), parties.rythme);
    QCOMPARE(reperes.size(), prevu.size());
    auto ms = [](horloge::duration d) {
        return std::chrono::duration_cast<std::chrono::microseconds>(d).count() / 1000.0;
    };
    // How late each mark comes: never early, and each no more than a little later than
    // the one before (the clock keeps the stream's time, a late mark does not delay the next).
    QVector<double> retards, pas;
    for (qsizetype k = 0; k < reperes.size(); ++k) {
        retards << ms(reperes[k] - remis) - double(prevu[k]);
        QVERIFY2(retards[k] > -0.5,
                 qPrintable(u"mark %1 comes %2 ms early"_qs.arg(k).arg(-retards[k])));
        if (k == 0)
            continue;
        pas << retards[k] - retards[k - 1];
        QVERIFY2(pas.last() < 80,
                 qPrintable(u"mark %1: %2 ms later than the one before"_qs.arg(k).arg(pas.last())));
    }
    std::sort(pas.begin(), pas.end());
    QVERIFY2(pas[pas.size() / 2] < 20,
             qPrintable(u"median step %1 ms"_qs.arg(pas[pas.size() / 2])));
    QVERIFY(ms(fin - remis) < 2.0 * double(prevu.last()) + 200);
}

// The answer buttons come when the output has played the stream's last sample, and
// not a sample before: one rhythm after the last note, as the note clock had it.
void TestEssaiMusical::reponses_a_la_fin_du_flux()
{
    Banc banc(u"a,100,cdo2 - nla2"_qs);
    banc.mode = 0;
    banc.sortie->retenue = true;
    banc.clic_ecoute();
    // 100 ms, then 200 and 300 (80 ms under the rhythm), then 300 + 160 + 100 = 560 ms.
    const qint64 fin = 24696;
    QCOMPARE(banc.sortie->flux.last().size(), fin);
    banc.sortie->joue_jusqua(fin - 1);
    QTest::qWait(10);
    QCOMPARE(banc.essai->note_courante, 3);
    QVERIFY2(banc.bit_rep1.isHidden() && banc.bit_rep2.isHidden(), "answers before the end");
    banc.sortie->joue_jusqua(fin);
    QCOMPARE(banc.essai->note_courante, 4);
    QVERIFY(!banc.bit_rep1.isHidden() && !banc.bit_rep2.isHidden());
}

FANTREL_TEST_MAIN(TestEssaiMusical)
#include "test_essai_musical.moc"

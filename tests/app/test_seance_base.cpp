// A whole session into the trial database, as it is played through the real
// windows: every trial with its columns, a session killed mid-way and recovered at
// the next start, the CSV export from the menu, a user's statistics.
#include "seance_jouee.h"
#include "app/deroulement_seance.h"
#include "app/journal_seance.h"
#include "platform/application.h"
#include "base/base_essais.h"
#include "base/secours_csv.h"
#include "platform/hasard.h"
#include "results/fenetre_statistiques.h"
#include <QAction>
#include <QProcess>
#include <QtTest>

using namespace fantrel;

namespace {

QVector<base::Essai> essais_de(const banc::Banc &b)
{
    base::BaseEssais base(b.chemin(QStringLiteral("fantrel.sqlite")),
                          base::BaseEssais::Acces::lecture);
    return base.essais();
}

} // namespace

class TestSeanceBase : public QObject
{
    Q_OBJECT
private slots:
    void essais_dans_la_base();
    void deux_paradigmes_et_musique();
    void reprise_apres_arret_brutal_data();
    void reprise_apres_arret_brutal();
    void export_par_le_menu();
    void statistiques_d_un_utilisateur();
    void base_endommagee_mise_de_cote();
    void participants_dans_le_csv();
    void graine_rejoue_les_tirages();
    void rafraichissement_connu_avant_la_seance();
};

void TestSeanceBase::essais_dans_la_base()
{
    banc::Banc b;
    // Each flash inside the program's own wait (its 1 s cut to 250 ms), as it runs there.
    b.seams->attente = [](int ms) { platform::attente_reelle(std::min(ms, 250)); };
    b.demarre();
    QVERIFY(banc::joue_seance(b));
    const QVector<base::Essai> essais = essais_de(b);
    QCOMPARE(essais.size(), 5);
    const QStringList record = b.form->groupe_resultats->lignes();
    using base::FaconReponse;
    const QList<FaconReponse> modes = { FaconReponse::boutons, FaconReponse::boutons,
                                        FaconReponse::je_ne_sais_pas, FaconReponse::saisie,
                                        FaconReponse::boutons };
    const QStringList noms = { "Essai1", "Essai1", "Essai1", "Zoé", "Zoé" };
    const QList<std::optional<bool>> justes = { true, false, std::nullopt, true, true };
    for (qsizetype k = 0; k < essais.size(); ++k) {
        const base::Essai &e = essais[k];
        QCOMPARE(e.test, base::TestEssai::korvane);
        QCOMPARE(e.mode_reponse, modes[k]);
        QCOMPARE(e.nom_utilisateur, noms[k]);
        QCOMPARE(e.utilisateur, k < 3 ? 1 : 2);
        QCOMPARE(e.correct, justes[k]);
        QCOMPARE(e.categorie.has_value(), justes[k].has_value());
        QCOMPARE(e.exposition_ms, std::optional<int>(30));
        // The word's frame to the mask's, as presented (no refresh on this display).
        QVERIFY2(e.exposition_mesuree_ms && *e.exposition_mesuree_ms >= 20
                         && *e.exposition_mesuree_ms <= 60,
                 qPrintable(QString::number(e.exposition_mesuree_ms.value_or(-1))));
        QVERIFY(e.temps_reponse_ms && *e.temps_reponse_ms >= 0);
        QCOMPARE(e.mot_affiche, e.numero % 2 ? e.mot2 : e.mot1);
        // The line the record holds, or none for "?".
        QCOMPARE(e.ligne_resultat.isEmpty(), !justes[k].has_value());
        if (justes[k])
            QVERIFY2(record.contains(e.ligne_resultat), qPrintable(e.ligne_resultat));
    }
    QCOMPARE(essais[0].connote, std::optional<int>(1));
    QCOMPARE(essais[3].reponse, essais[3].mot_affiche);
    QVERIFY(essais[3].proposition_gauche.isEmpty()); // typed: no buttons shown
    QVERIFY(!essais[4].proposition_gauche.isEmpty());
}

void TestSeanceBase::deux_paradigmes_et_musique()
{
    banc::Banc b;
    platform::ecrire_lignes(b.chemin("melodies.mus"), { "Courte,20,ndo3 nré3 nmi3 nfa3" });
    b.demarre();
    app::TForm1 &f = *b.form;
    f.Morbelle1->trigger();
    QVERIFY(banc::repond(f, true));
    // Waits cut short: the answer came before the chain ended; its trial is filed,
    // measured, once the chain is over.
    QTRY_COMPARE(essais_de(b).size(), 1);
    f.Incongruitmusicale1->trigger();
    // The program draws the melody (one line here), then heads or tails for its
    // incongruity: the same draws from a generator seeded alike tell what it drew.
    f.etat.hasard.graine(20240917);
    platform::Hasard meme_hasard;
    meme_hasard.graine(20240917);
    meme_hasard.tirage(1);
    const bool incongru = meme_hasard.tirage(2) == 1;
    QTest::mouseClick(f.commandes->BitBtn_ecoute, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(f.commandes->bit_rep1->isVisibleTo(&f), 5000);
    QTest::mouseClick(f.commandes->bit_rep2, Qt::LeftButton);

    const QVector<base::Essai> essais = essais_de(b);
    QCOMPARE(essais.size(), 2);
    const base::Essai &chaine = essais[0];
    QCOMPARE(chaine.test, base::TestEssai::morbelle);
    QCOMPARE(chaine.exposition_ms, std::optional<int>(33));
    QVERIFY(chaine.phases_mesurees_ms);
    for (double d : *chaine.phases_mesurees_ms)
        QVERIFY2(d > 0, "every phase shown for a measured time");
    QCOMPARE(chaine.exposition_mesuree_ms, std::optional<double>((*chaine.phases_mesurees_ms)[1]));

    const base::Essai &melodie = essais[1];
    QCOMPARE(melodie.test, base::TestEssai::musique);
    QCOMPARE(melodie.melodie, QStringLiteral("20,ndo3 nré3 nmi3 nfa3"));
    QCOMPARE(melodie.decalage, QStringLiteral("+1/2"));
    QCOMPARE(melodie.reponse, QStringLiteral("C'était faux"));
    QCOMPARE(melodie.incongru, std::optional<bool>(incongru));
    // Shifted at the end (the settings' choice) when drawn incongruous.
    QCOMPARE(melodie.place_incongruite, incongru ? std::optional<int>(3) : std::nullopt);
    QCOMPARE(melodie.correct, std::optional<bool>(incongru));
    QVERIFY(melodie.ligne_resultat.isEmpty());
    // Its stream: at 20, 200, 380 and 560 ms (160 ms notes, rhythm 20), in samples.
    QCOMPARE(melodie.debuts_notes, QStringLiteral("882/8820/16758/24696"));
    QVERIFY(melodie.debut_son_ms.value_or(-1) >= 0);
    QCOMPARE(melodie.latence_sortie_ms, std::optional<double>(0)); // the stand-in output
}

void TestSeanceBase::reprise_apres_arret_brutal_data()
{
    QTest::addColumn<bool>("recuperer");
    QTest::newRow("récupérée") << true;
    QTest::newRow("laissée dans la base") << false;
}

// A session killed with SIGKILL: at the next start its users, names, record lines and
// tallies come back as they were, on request, and the record is marked unsaved.
void TestSeanceBase::reprise_apres_arret_brutal()
{
    QFETCH(bool, recuperer);
    QTemporaryDir dossier;
    QProcess enfant;
    enfant.start(QStringLiteral(SEANCE_INTERROMPUE), { dossier.path() });
    QVERIFY(enfant.waitForFinished(120000));
    QCOMPARE(enfant.exitStatus(), QProcess::CrashExit);
    const QStringList attendu =
            platform::lire_lignes(dossier.path() + QStringLiteral("/attendu.txt"));
    QVERIFY(attendu.size() > 5);

    banc::Banc b(banc::param_formulaire(), banc::liste_quatre(), dossier.path());
    QStringList questions;
    b.seams->question = [&](const QString &texte, bool) {
        questions << texte;
        return recuperer ? platform::Reponse::Oui : platform::Reponse::Non;
    };
    b.demarre();
    QCOMPARE(questions,
             QStringList{ "La séance précédente n'a pas été enregistrée. "
                          "Récupérer ses réponses ?" });
    if (recuperer) {
        QCOMPARE(banc::etat_resultats(b), attendu);
        QVERIFY(b.form->groupe_resultats->record_modifie());
        // "This session"'s export holds the trials it recovered (under their session).
        b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
            return platform::ResultatDialogue{ true, b.chemin("seance.csv"), 1 };
        };
        b.form->Exporterlesessais1->trigger();
        QFile csv(b.chemin("seance.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(base::lignes_csv(QString::fromUtf8(csv.readAll())).size(), 1 + 5);
    } else {
        QCOMPARE(b.form->groupe_resultats->lignes(), QStringList{ "Essai1" });
        QCOMPARE(b.fenetres->tableau->nb_util(), 1);
    }
    QVERIFY(b.erreurs.isEmpty());

    // Once recovered (or declined), the next start asks again only for a session left
    // unsaved anew: this one ends cleanly.
    b.fenetres.reset();
    banc::Banc suivant(banc::param_formulaire(), banc::liste_quatre(), dossier.path());
    suivant.seams->question = [&](const QString &texte, bool) {
        questions << texte;
        return platform::Reponse::Non;
    };
    suivant.demarre();
    QCOMPARE(questions.size(), 1); // none: the session before ended cleanly
}

void TestSeanceBase::export_par_le_menu()
{
    banc::Banc b;
    b.demarre();
    QVERIFY(banc::joue_seance(b));
    int filtre = 0;
    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &o) {
        filtre = o.index_filtre;
        [&] { QCOMPARE(o.extension_defaut, QStringLiteral("csv")); }();
        return platform::ResultatDialogue{ true, b.chemin("essais.csv"), 1 };
    };
    b.form->Exporterlesessais1->trigger();
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join('\n')));
    QCOMPARE(filtre, 1); // "Essais de cette séance" offered first
    QFile f(b.chemin("essais.csv"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lignes =
            QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), 1 + 5);
    QVERIFY(lignes[0].startsWith(
            QStringLiteral("id,seance,debut_utc,utilisateur,nom_utilisateur,test,")));
    QVERIFY(lignes[5].contains(QStringLiteral(",Zoé,korvane,")));
}

// Essai1 answers a second-word trial right, then a first-word trial wrong: 2 scored
// trials, 1 right: 50 %, p = P(X ≥ 1 | n = 2) = 0.75; hit rate and false-alarm rate
// both (0 + 0.5) / (1 + 1) = 0.25 after the correction: d′ = 0, c = −z(0.25) = 0.674.
// Wilson 9.5–90.5 % (SciPy's binomtest(1, 2).proportion_ci), BF01 = 1.098 (mpmath's
// quad of the half-normal prior, scale 0.15); then the whole session of seance_jouee.h:
// typed and "?" answers stand apart from the buttons'.
void TestSeanceBase::statistiques_d_un_utilisateur()
{
    banc::Banc b;
    b.demarre();
    QVERIFY(banc::repond(*b.form, true));
    QVERIFY(banc::repond(*b.form, false));
    emit b.fenetres->Form_courbe2->liste_demandee(1);
    const QStringList liste =
            b.form->GroupBox3->Memo1->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(liste.last(),
             QStringLiteral("Mots : 2 essais aux boutons, 50,0 % justes (IC 95 % : 9,5 – 90,5), "
                            "p = 0,7500, BF01 = 1,10 : non concluant, d′ 2AFC = 0,00, "
                            "d′ = 0,00, c = 0,67"));
    b.form->Statistiques1->trigger();
    const QVector<QStringList> &table = b.fenetres->Form_statistiques->modele()->cellules();
    QCOMPARE(table.size(), 2); // Essai1 and the group
    QCOMPARE(table[0],
             (QStringList{ "Essai1", "Mots", "2", "1", "50,0", "9,5 – 90,5", "0,7500", "1,10",
                           "non concluant", "0,00", "0,00", "0,67", "0", "0" }));

    // "?" for Essai1, then Zoé types one answer right and clicks one.
    QVERIFY(banc::lance(*b.form));
    QTest::mouseClick(b.form->commandes->Bit_rep3, Qt::LeftButton);
    b.form->Nouvelutilisateur1->trigger();
    b.form->Saisielibre1->trigger();
    QVERIFY(banc::lance(*b.form));
    QTest::keyClicks(b.form->commandes->Edit_saisie_libre, b.form->commandes->lab_mot_aff->text());
    QTest::keyClick(b.form->commandes->Edit_saisie_libre, Qt::Key_Return);
    b.form->Comparaisondemots1->trigger();
    QVERIFY(banc::repond(*b.form, true));
    QCOMPARE(table.size(), 3); // followed while shown
    QCOMPARE(table[0].mid(12), (QStringList{ "0", "1" }));
    QCOMPARE(table[1].mid(2, 2), (QStringList{ "1", "1" }));
    QCOMPARE(table[1].mid(12), (QStringList{ "1 (1 juste)", "0" }));
}

// A damaged base: the trials still run, one error box says the file was set aside,
// and the session goes on in a new base.
void TestSeanceBase::base_endommagee_mise_de_cote()
{
    banc::Banc b;
    QFile f(b.chemin("fantrel.sqlite"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    b.demarre();
    QVERIFY(banc::repond(*b.form, true));
    QVERIFY(banc::repond(*b.form, false));
    QTRY_COMPARE(b.erreurs.size(), 1);
    QVERIFY2(b.erreurs[0].startsWith(
                     QStringLiteral("Les essais ne sont plus enregistrés dans la base : ")),
             qPrintable(b.erreurs[0]));
    QVERIFY2(b.erreurs[0].contains(QStringLiteral("fantrel-endommagee-")),
             qPrintable(b.erreurs[0]));
    QCOMPARE(essais_de(b).size(), 2);
    QCOMPARE(b.form->groupe_resultats->lignes().size(), 3); // the record as always
    QDir dossier(b.racine);
    QCOMPARE(dossier.entryList({ "fantrel-endommagee-*.sqlite" }).size(), 1);
}

// Who answered, told apart: Essai1 answers two trials and the record is saved; "Tout
// effacer"; the next subject (Essai1 again by name) answers two, is renamed Léa and
// answers one more; the saved file is read back and its section answers one. In the
// CSV of every session, each trial once, three participants, Léa's code on all hers.
void TestSeanceBase::participants_dans_le_csv()
{
    banc::Banc b;
    QString cible = b.chemin("r.res");
    int filtre = 0;
    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, cible, filtre };
    };
    b.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, b.chemin("r.res"), 0 };
    };
    b.seams->question = [](const QString &, bool) { return platform::Reponse::Non; };
    b.demarre();
    app::TForm1 &f = *b.form;
    QVERIFY(banc::repond(f, true) && banc::repond(f, false));
    f.Enregistrerlesrsultats1->trigger();
    f.outeffacer1->trigger();
    QVERIFY(banc::repond(f, true) && banc::repond(f, true));
    b.fenetres->tableau->renomme(1, QStringLiteral("Léa"));
    QVERIFY(banc::repond(f, false));
    f.ouvrirunrsultat1->trigger();
    QVERIFY(banc::repond(f, true));
    cible = b.chemin("tout.csv");
    filtre = 2; // every session
    f.Exporterlesessais1->trigger();
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join('\n')));

    QFile csv(cible);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QVector<QStringList> lignes = base::lignes_csv(QString::fromUtf8(csv.readAll()));
    QCOMPARE(lignes.size(), 1 + 6);
    const auto colonne = [&](const char *nom) { return banc::colonne_csv(lignes, nom); };
    const QStringList p = colonne("participant");
    QCOMPARE(QSet<QString>(p.begin(), p.end()).size(), 3);
    QCOMPARE(p.mid(0, 2), QStringList(2, p[0]));
    QCOMPARE(p.mid(2, 3), QStringList(3, p[2]));
    QCOMPARE(colonne("nom_utilisateur").mid(0, 5),
             (QStringList{ "Essai1", "Essai1", "Essai1", "Essai1", "Léa" }));
    QCOMPARE(colonne("code_participant").mid(0, 5),
             (QStringList{ "Essai1", "Essai1", "Léa", "Léa", "Léa" }));
    const QStringList seances = colonne("seance_uuid");
    QCOMPARE(QSet<QString>(seances.begin(), seances.end()).size(), 1);
    QVERIFY(!seances[0].isEmpty() && !colonne("station")[0].isEmpty());

    base::BaseEssais base(b.chemin(QStringLiteral("fantrel.sqlite")),
                          base::BaseEssais::Acces::lecture);
    QCOMPARE(base.participant(p[5])->source, QStringLiteral("fichier:") + b.chemin("r.res"));
    QCOMPARE(base.participant(p[2])->source, QString());
    const std::optional<base::Seance> seance = base.seance(1);
    QCOMPARE(seance->uuid, seances[0]);
    QCOMPARE(seance->graine, QString::number(f.etat.hasard.graine_posee()));
    QCOMPARE(seance->empreinte_reglages.size(), 64);
}

// The seed a session row keeps replays its draws: the pairs' order and the proposals'
// sides, trial after trial.
void TestSeanceBase::graine_rejoue_les_tirages()
{
    QStringList tirages[2];
    for (QStringList &vus : tirages) {
        qputenv("FANTREL_GRAINE", "8675309");
        banc::Banc b;
        b.demarre();
        qunsetenv("FANTREL_GRAINE");
        QCOMPARE(b.form->etat.hasard.graine_posee(), 8675309u);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(banc::repond(*b.form, true));
            vus << b.form->commandes->lab_mot_aff->text() + '/' + b.form->commandes->bit_rep1->text();
        }
    }
    QCOMPARE(tirages[0], tirages[1]);
    QVERIFY2(QSet<QString>(tirages[0].begin(), tirages[0].end()).size() > 1, "des tirages");
}

// The screen measured before the session began (an error box held start-up): its row
// takes the refresh all the same.
void TestSeanceBase::rafraichissement_connu_avant_la_seance()
{
    QTemporaryDir dossier;
    results::TableauResultats tableau;
    {
        app::JournalSeance journal(tableau);
        journal.precise(59.94, QStringLiteral("normale"), QStringLiteral("simule"));
        journal.ouvre(dossier.path());
        journal.commence(banc::param_formulaire(), std::nullopt, QString(), {});
    }
    base::BaseEssais base(dossier.filePath("fantrel.sqlite"), base::BaseEssais::Acces::lecture);
    QCOMPARE(base.seance(1)->rafraichissement_hz, std::optional<double>(59.94));
    QCOMPARE(base.seance(1)->priorite_minuteur, QStringLiteral("normale"));
    QCOMPARE(base.seance(1)->methode_horodatage, QStringLiteral("simule"));
}

FANTREL_TEST_MAIN(TestSeanceBase)
#include "test_seance_base.moc"

// The results record and its files: saving, reading back (all or nothing), the
// question of unsaved lines, and a whole run read back in a fresh window.
#include "banc_resultats.h"
#include "platform/application.h"
#include "platform/fichier_texte.h"
#include "platform/capacite_memo.h"
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;

class TestGroupeResultats : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { fantrel::platform::garde_pilote_gl_charge(); }
    void init();
    void sauve_apres_demarrage();
    void aller_retour_deux_utilisateurs();
    void lecture_data();
    void lecture();
    void lecture_ajoute_a_la_somme();
    void echec_lecture_data();
    void echec_lecture();
    void echec_sauvegarde();
    void dialogues_annules();
    void ouvrir_un_resultat();
    void record_modifie();
    void commandes_du_groupe();

private:
    QTemporaryDir m_dossier;
    QStringList m_erreurs;
    QStringList m_questions;
    std::unique_ptr<platform::RemplacementInteractions> m_seams;
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }
    // The next save or open dialog accepts this file (or is cancelled for an empty name).
    void choisira(const QString &fichier, platform::OptionsDialogue *vu = nullptr);
};

void TestGroupeResultats::init()
{
    m_erreurs.clear();
    m_seams = std::make_unique<platform::RemplacementInteractions>();
    (*m_seams)->erreur = [this](const QString &t) { m_erreurs << t; };
    (*m_seams)->information = [this](const QString &t) { m_erreurs << "info: " + t; };
    // Opening a file over unsaved lines asks first: they may go.
    m_questions.clear();
    (*m_seams)->question = [this](const QString &t, bool) {
        m_questions << t;
        return platform::Reponse::Non;
    };
}

void TestGroupeResultats::choisira(const QString &fichier, platform::OptionsDialogue *vu)
{
    const auto dialogue = [fichier, vu](const platform::OptionsDialogue &o) {
        if (vu)
            *vu = o;
        return platform::ResultatDialogue{ !fichier.isEmpty(), fichier, o.index_filtre };
    };
    (*m_seams)->enregistrer_fichier = dialogue;
    (*m_seams)->ouvrir_fichier = dialogue;
}

void TestGroupeResultats::sauve_apres_demarrage()
{
    BancResultats banc;
    platform::OptionsDialogue vu;
    choisira(chemin("depart.res"), &vu);
    QVERIFY(banc.groupe->Speed_sauve_resultClick());
    QCOMPARE(octets(chemin("depart.res")), QByteArray("Essai1\r\n"));
    QCOMPARE(vu.filtre, QStringLiteral("fichiers résultats *.res|*.res"));
    QVERIFY(vu.confirmer_ecrasement);
    QCOMPARE(vu.extension_defaut, QStringLiteral("res"));
    QCOMPARE(banc.groupe->SaveDialog1.nom_fichier, chemin("depart.res"));
    QVERIFY(m_erreurs.isEmpty());
}

void TestGroupeResultats::aller_retour_deux_utilisateurs()
{
    BancResultats banc;
    banc.essai("fiel", "fier", true, "fiel");
    banc.essai("fier", "fiel", false, "fiel");
    banc.essai("été", "ete", true, "été");
    banc.tableau.cree_utilisateur();
    banc.essai("mer", "mère", false, "mère");
    banc.essai("chat", "chats", false, "chats");
    banc.courbe2->util_choisi = 2;
    banc.courbe2->Edit_nom->setText("Zoé");
    banc.courbe2->Edit_nomKeyDown(Qt::Key_Return);
    choisira(chemin("run.res"));
    QVERIFY(banc.groupe->Speed_sauve_resultClick());
    QVERIFY(octets(chemin("run.res"))
                    .startsWith(
                            "Essai1\r\nMot affich\xe9=fiel prop=$fiel fier r\xe9pondu=fiel\r\n"));

    BancResultats frais;
    choisira(chemin("run.res"));
    QVERIFY(frais.groupe->SpeedButton5Click());
    QVERIFY2(m_erreurs.isEmpty(), qPrintable(m_erreurs.join('\n')));
    QCOMPARE(frais.record(), banc.record());
    QCOMPARE(frais.noms(), (QStringList{ "Essai1", "Zoé" }));
    QCOMPARE(frais.noms(), banc.noms());
    for (int n = 0; n <= 2; ++n)
        QCOMPARE(frais.comptes(n), banc.comptes(n));
    QCOMPARE(frais.comptes(1), (QList<int>{ 2, 0, 0, 1 }));
    QCOMPARE(frais.comptes(2), (QList<int>{ 0, 0, 0, 2 }));
    for (int c = 1; c <= 4; ++c)
        QCOMPARE(frais.rangee(2).textes_valeur[c]->texte(),
                 QString::number(frais.tableau.rangee(2).comptes()[c]));
    QVERIFY(std::abs(frais.rangee(1).cubes[1]->hauteur() - 0.51f) < 1e-5);
    QCOMPARE(frais.tableau.util_courant(), 2);
    QVERIFY(frais.courbe2->isVisible());
    QVERIFY(frais.Courbe22->isChecked());
    QVERIFY(!frais.groupe->record_modifie());
    QCOMPARE(frais.OpenDialog1.nom_fichier, chemin("run.res"));

    // Answers given next go to the file's last row, after its last line.
    frais.essai("sel", "sol", true, "sel");
    QCOMPARE(frais.comptes(2), (QList<int>{ 1, 0, 0, 2 }));
    QCOMPARE(frais.record().last(), QStringLiteral("Mot affiché=sel prop=$sel sol répondu=sel"));
    QCOMPARE(frais.record().size(), banc.record().size() + 1);
}

void TestGroupeResultats::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("noms");
    QTest::addColumn<QList<int>>("comptes"); // 4 per row
    QTest::addColumn<QList<int>>("somme");
    const auto l = [](const QString &s) { return platform::encode_windows1252(s); };
    QTest::newRow("dernière ligne en-tête")
            << l("Essai1\r\n" + c1 + "\r\nEssai2\r\n") << QStringList{ "Essai1", "Essai2" }
            << QList<int>{ 1, 0, 0, 0, 0, 0, 0, 0 } << QList<int>{ 1, 0, 0, 0 };
    QTest::newRow("sans saut final, CR et LF seuls")
            << l("Essai1\r" + c1 + "\n" + c3 + "\r\nPaul\r\n" + c2)
            << QStringList{ "Essai1", "Paul" } << QList<int>{ 1, 0, 1, 0, 0, 1, 0, 0 }
            << QList<int>{ 1, 1, 1, 0 };
    QTest::newRow("casse différente: faux")
            << l("Essai1\r\nMot affiché=chat prop=$chat chas répondu=Chat\r\n")
            << QStringList{ "Essai1" } << QList<int>{ 0, 1, 0, 0 } << QList<int>{ 0, 1, 0, 0 };
    QTest::newRow("lignes tronquées")
            << l("Essai1\r\nMot affiché\r\nMot affiché=fiel prop=$fiel fier\r\nxx Mot affiché=a "
                 "répondu=a\r\n")
            << QStringList{ "Essai1" } << QList<int>{ 0, 1, 1, 1 } << QList<int>{ 0, 1, 1, 1 };
    QTest::newRow("préfixe chats/chat")
            << l("Essai1\r\nMot affiché=chat prop=$chats chat répondu=chat\r\nMot affiché=chats "
                 "prop=chat $chats répondu=chat\r\n")
            << QStringList{ "Essai1" } << QList<int>{ 0, 1, 1, 0 } << QList<int>{ 0, 1, 1, 0 };
    QTest::newRow("réponses avant le premier en-tête")
            << l(c1 + "\r\n" + c1 + "\r\nEssai1\r\n" + c4 + "\r\n") << QStringList{ "Essai1" }
            << QList<int>{ 0, 0, 0, 1 } << QList<int>{ 2, 0, 0, 1 };
    QTest::newRow("en UTF-8") << (QStringLiteral("Zoé\n") + c3).toUtf8() << QStringList{ "Zoé" }
                              << QList<int>{ 0, 0, 1, 0 } << QList<int>{ 0, 0, 1, 0 };
}

void TestGroupeResultats::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, noms);
    QFETCH(QList<int>, comptes);
    QFETCH(QList<int>, somme);
    ecrit(chemin("lu.res"), contenu);
    BancResultats banc;
    QVERIFY(banc.groupe->lit(chemin("lu.res")));
    QVERIFY(m_erreurs.isEmpty());
    QCOMPARE(banc.noms(), noms);
    QList<int> lus;
    for (int n = 1; n <= noms.size(); ++n)
        lus << banc.comptes(n);
    QCOMPARE(lus, comptes);
    QCOMPARE(banc.comptes(0), somme);
    QCOMPARE(banc.record(), platform::decoupe_lignes(platform::decode_texte(contenu)));
    QCOMPARE(banc.tableau.util_courant(), noms.size());
}

void TestGroupeResultats::lecture_ajoute_a_la_somme()
{
    BancResultats banc;
    banc.essai("a", "b", true, "a");
    banc.essai("a", "b", true, "b");

    // A file without header: its answers count in the sum row only, and a new row
    // takes the answers given afterwards, its header written after the file's lines.
    ecrit(chemin("sans.res"), platform::encode_windows1252(c3 + "\r\n" + c3 + "\r\n"));
    QVERIFY(banc.groupe->lit(chemin("sans.res")));
    QCOMPARE(banc.comptes(0), (QList<int>{ 1, 1, 2, 0 }));
    QCOMPARE(banc.noms(), QStringList{ "Essai1" });
    QCOMPARE(banc.comptes(1), (QList<int>{ 0, 0, 0, 0 }));
    QCOMPARE(banc.record(), (QStringList{ c3, c3, "Essai1" }));
    banc.essai("b", "a", false, "b");
    QCOMPARE(banc.comptes(1), (QList<int>{ 0, 0, 1, 0 }));

    // More sections than rows (20 once, nb_max_util now): rows for the first ones,
    // every answer in the sum.
    constexpr int n = results::nb_max_util;
    QByteArray long_fichier;
    for (int k = 1; k <= n + 2; ++k)
        long_fichier +=
                platform::encode_windows1252(QStringLiteral("U%1\r\n").arg(k) + c1 + "\r\n");
    ecrit(chemin("vingt-deux.res"), long_fichier);
    QVERIFY(banc.groupe->lit(chemin("vingt-deux.res")));
    QCOMPARE(banc.noms().size(), n);
    QCOMPARE(banc.noms().last(), QStringLiteral("U%1").arg(n));
    QCOMPARE(banc.comptes(n), (QList<int>{ 1, 0, 0, 0 }));
    QCOMPARE(banc.comptes(0), (QList<int>{ n + 3, 1, 3, 0 }));
    QCOMPARE(banc.tableau.util_courant(), n + 2);
    banc.essai("a", "b", true, "a");
    QCOMPARE(banc.comptes(n), (QList<int>{ 1, 0, 0, 0 }));
    QCOMPARE(banc.comptes(0), (QList<int>{ n + 4, 1, 3, 0 }));

    // An empty file leaves no row of its own; a fresh Essai1 takes what follows.
    ecrit(chemin("vide.res"), QByteArray());
    QVERIFY(banc.groupe->lit(chemin("vide.res")));
    QCOMPARE(banc.noms(), QStringList{ "Essai1" });
    QCOMPARE(banc.record(), QStringList{ "Essai1" });
    QCOMPARE(banc.comptes(0), (QList<int>{ n + 4, 1, 3, 0 }));
}

void TestGroupeResultats::echec_lecture_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("message");
    QTest::newRow("absent") << "absent.res"
                            << "Impossible d'ouvrir le fichier %1";
    QTest::newRow("dossier") << "."
                             << "Impossible d'ouvrir le fichier %1";
    QTest::newRow("trop long") << "long.res"
                               << "Le texte dépasse la capacité du mémo";
}

void TestGroupeResultats::echec_lecture()
{
    QFETCH(QString, fichier);
    QFETCH(QString, message);
    // A file too long for the record, whose first sections are well formed.
    QByteArray long_fichier = platform::encode_windows1252("Essai1\r\n" + c1 + "\r\nEssai2\r\n");
    const QByteArray ligne = platform::encode_windows1252(c3 + "\r\n");
    while (long_fichier.size() <= platform::capacite_memo)
        long_fichier += ligne;
    ecrit(chemin("long.res"), long_fichier);

    BancResultats banc;
    banc.essai("fiel", "fier", true, "fiel");
    banc.tableau.cree_utilisateur();
    banc.essai("fier", "fiel", false, "fier");
    const Etat avant = Etat::de(banc);
    const QString nom = fichier == "." ? m_dossier.path() : chemin(fichier);
    choisira(nom);
    QVERIFY(!banc.groupe->SpeedButton5Click());
    QCOMPARE(m_erreurs, QStringList{ message.contains("%1") ? message.arg(nom) : message });
    QVERIFY2(Etat::de(banc) == avant, "a failed reading changes nothing");
    banc.essai("fier", "fiel", false, "fier");
    QCOMPARE(banc.comptes(2), (QList<int>{ 0, 0, 2, 0 }));
}

void TestGroupeResultats::echec_sauvegarde()
{
    BancResultats banc;
    banc.essai("a", "b", true, "a");
    ecrit(chemin("garde.res"), "ancien\r\n");
    choisira(m_dossier.filePath("pas/de/dossier.res"));
    QVERIFY(!banc.groupe->Speed_sauve_resultClick());
    QCOMPARE(m_erreurs.size(), 1);
    QVERIFY2(m_erreurs.first().startsWith("Impossible de créer le fichier"),
             qPrintable(m_erreurs.first()));
    QVERIFY2(banc.groupe->record_modifie(), "the lines are still unsaved");
}

void TestGroupeResultats::dialogues_annules()
{
    BancResultats banc;
    banc.essai("a", "b", true, "a");
    const Etat avant = Etat::de(banc);
    const QStringList fichiers = QDir(m_dossier.path()).entryList(QDir::Files);
    choisira(QString());
    QVERIFY(!banc.groupe->Speed_sauve_resultClick());
    QVERIFY(!banc.groupe->SpeedButton5Click());
    QVERIFY(!banc.groupe->ouvrirunrsultat1Click());
    QVERIFY(Etat::de(banc) == avant);
    QVERIFY(m_erreurs.isEmpty());
    QCOMPARE(QDir(m_dossier.path()).entryList(QDir::Files), fichiers);
}

void TestGroupeResultats::ouvrir_un_resultat()
{
    BancResultats banc;
    banc.OpenDialog1.nom_fichier = chemin("machin.liste_fantrel");
    banc.OpenDialog1.index_filtre = 2;
    ecrit(chemin("r.res"), "Anne\r\n");
    platform::OptionsDialogue vu;
    choisira(chemin("r.res"), &vu);
    QVERIFY(banc.groupe->ouvrirunrsultat1Click());
    QCOMPARE(vu.index_filtre, 3);
    QVERIFY(vu.nom_fichier.isEmpty());
    QCOMPARE(vu.filtre, banc.OpenDialog1.filtre);
    QCOMPARE(banc.noms(), QStringList{ "Anne" });

    // The open button keeps the dialog's name and filter as left.
    choisira(chemin("r.res"), &vu);
    QVERIFY(banc.groupe->SpeedButton5Click());
    QCOMPARE(vu.nom_fichier, chemin("r.res"));
    QCOMPARE(vu.index_filtre, 3);
}

void TestGroupeResultats::record_modifie()
{
    BancResultats banc;
    QVERIFY(!banc.groupe->record_modifie());
    banc.tableau.tout_effacer();
    QVERIFY2(!banc.groupe->record_modifie(), "headers alone hold nothing to save");
    banc.essai("a", "b", true, "a");
    QVERIFY(banc.groupe->record_modifie());
    banc.tableau.cree_utilisateur();
    QVERIFY(banc.groupe->record_modifie());
    choisira(chemin("m.res"));
    QVERIFY(banc.groupe->Speed_sauve_resultClick());
    QVERIFY(!banc.groupe->record_modifie());
    QVERIFY(m_questions.isEmpty());
    QTest::keyClicks(banc.groupe->Memo_enreg_test, "note");
    QVERIFY(banc.groupe->record_modifie());
    QVERIFY(banc.groupe->SpeedButton5Click());
    QCOMPARE(m_questions, QStringList{ "Enregistrer les résultats ?" });
    QVERIFY(!banc.groupe->record_modifie());
}

void TestGroupeResultats::commandes_du_groupe()
{
    BancResultats banc;
    results::GroupeResultats *g = banc.groupe;
    QCOMPARE(g->title(), QStringLiteral("Fichier résultats"));
    QCOMPARE(g->objectName(), QStringLiteral("Group_result"));
    QCOMPARE(g->size(), QSize(283, 225));
    QCOMPARE(g->Memo_enreg_test->geometry(), QRect(8, 20, 267, 191));
    QCOMPARE(g->Memo_enreg_test->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(g->Memo_enreg_test->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    banc.principale->show();
    QVERIFY(!g->isVisible());
    g->show();
    banc.essai("a", "b", true, "a");
    const QStringList avant = banc.record();
    QTest::mouseClick(g->SpeedButton4, Qt::LeftButton);
    QVERIFY(!g->isVisible());
    QCOMPARE(banc.record(), avant);

    // A line typed without a final break is a line of its own before the next one.
    QTest::keyClicks(g->Memo_enreg_test, "remarque");
    banc.tableau.cree_utilisateur();
    QCOMPARE(banc.record().mid(avant.size()), (QStringList{ "remarque", "Essai2" }));
}

FANTREL_TEST_MAIN(TestGroupeResultats)
#include "test_groupe_resultats.moc"

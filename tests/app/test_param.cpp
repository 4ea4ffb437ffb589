// The settings file: round trips through the controls, partial and bad files,
// clamping, Cancel and close, the colour picker.
#include "banc.h"
#include "app/groupe_radio.h"
#include "app/nuancier.h"
#include "app/param_lignes.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/application.h"
#include "platform/conversions.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using namespace fantrel;

namespace {
// Types text key by key, characters outside the keyboard's ASCII keys included.
void tape(QWidget *cible, const QString &texte)
{
    for (const QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, cible, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList avec_ligne(int n, const QString &texte)
{
    QStringList l = banc::param_formulaire();
    l[n - 1] = texte;
    return l;
}
} // namespace

class TestParam : public QObject
{
    Q_OBJECT
private slots:
    void aller_retour();
    void reels_au_format_regional();
    void fichier_court_data();
    void fichier_court();
    void ligne_non_numerique_data();
    void ligne_non_numerique();
    void bornes_data();
    void bornes();
    void annuler_et_fermer_restaurent_data();
    void annuler_et_fermer_restaurent();
    void ecriture_impossible_garde_l_ancien_data();
    void ecriture_impossible_garde_l_ancien();
    void nuancier_gele_une_seconde();
    void fond_choisi_puis_reaffichage();
    void taille_du_texte();
    void texte_hors_windows1252_data();
    void texte_hors_windows1252();
};

void TestParam::aller_retour()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.reglages->Edit1->setText(
            QStringLiteral("machin.liste_fantrel")); // a bare name: relative to the folder
    f.reglages->Scroll_timer->setValue(45);
    f.reglages->Edit_masque->setText(QStringLiteral("%%%%"));
    f.reglages->Scroll_hauteur->setValue(120);
    f.reglages->Scroll_largeur->setValue(333);
    auto m = f.affichage->GLSpaceText1->materiau();
    m.emission = { 0.8f, 0.123456f, 1.0f / 3.0f, 1 };
    f.affichage->GLSpaceText1->definir_materiau(m);
    f.affichage->vue_3d->definir_couleur_fond(-2147483620);
    f.reglages->Edit_masque1->setText(QStringLiteral("éééé"));
    f.reglages->Scroll_masque1->setValue(12);
    f.reglages->Scroll_mot->setValue(0);
    f.reglages->Scroll_blanc->setValue(100);
    f.reglages->Edit_masque2->setText(QStringLiteral("+-+-"));
    f.reglages->Scroll_masque2->setValue(99);
    f.reglages->Radio_incongru->definir_index(-1);
    f.reglages->Edit_incongru->setText(QStringLiteral("-1/4"));
    f.fichier_param->sauve();
    QCOMPARE(platform::lire_lignes(b.chemin("param.ini")).size(), 17);

    banc::Banc relu({}, banc::liste_quatre());
    QFile::copy(b.chemin("param.ini"), relu.chemin("param.ini"));
    relu.demarre();
    QVERIFY2(relu.erreurs.isEmpty(), qPrintable(relu.erreurs.join(u'\n')));
    auto &g = *relu.form;
    QCOMPARE(g.reglages->Edit1->text(),
             QStringLiteral("machin.liste_fantrel")); // the list opened replaces it
    QCOMPARE(g.reglages->Lab_intervalle_timer->text(), QStringLiteral("45 ms"));
    QCOMPARE(g.korvane->AsyncTimer2->intervalle(), quint16(45));
    QCOMPARE(g.reglages->Scroll_hauteur->value(), 120);
    QCOMPARE(g.reglages->Scroll_largeur->value(), 333);
    QCOMPARE(g.affichage->GLSpaceText1->materiau().emission.r, 0.8f);
    QCOMPARE(g.affichage->GLSpaceText1->materiau().emission.g, 0.123456f);
    QCOMPARE(g.affichage->GLSpaceText1->materiau().emission.b, 1.0f / 3.0f);
    QCOMPARE(g.affichage->vue_3d->couleur_fond(), -2147483620);
    QCOMPARE(g.etat.couleur_fond, -2147483620);
    QCOMPARE(g.reglages->Edit_masque1->text(), QStringLiteral("éééé"));
    QCOMPARE(g.reglages->Scroll_masque1->value(), 12);
    QCOMPARE(g.reglages->Scroll_mot->value(), 0);
    QCOMPARE(g.reglages->Scroll_blanc->value(), 100);
    QCOMPARE(g.morbelle->Async_blanc->intervalle(), quint16(100));
    QCOMPARE(g.reglages->Edit_masque2->text(), QStringLiteral("+-+-"));
    QCOMPARE(g.reglages->Scroll_masque2->value(), 99);
    QCOMPARE(g.reglages->Radio_incongru->index_choisi(), -1);
    QCOMPARE(g.reglages->Edit_incongru->text(), QStringLiteral("-1/4"));
}

void TestParam::reels_au_format_regional()
{
    app::ValeursParam v;
    v.rouge = 0.8f;
    v.vert = 0;
    v.bleu = 1;
    v.fond = 15780518;
    const QChar sep = platform::separateur_regional();
    const QStringList l = app::lignes_param(v, sep);
    QCOMPARE(l.size(), 17);
    QCOMPARE(l[5], QStringLiteral("0") + sep + QStringLiteral("800000011920929"));
    QCOMPARE(l[6], QStringLiteral("0"));
    QCOMPARE(l[7], QStringLiteral("1"));
    QCOMPARE(l[8], QStringLiteral("15780518"));
    // Read back with either separator, wherever the file was written.
    QCOMPARE(float(app::LignesParam({ "0,800000011920929" }).reel(1)), 0.8f);
    QCOMPARE(float(app::LignesParam({ "0.800000011920929" }).reel(1)), 0.8f);
}

void TestParam::fichier_court_data()
{
    QTest::addColumn<int>("lignes");
    QTest::addColumn<QString>("erreur");
    QTest::newRow("9 lignes") << 9 << "'' n'est pas une valeur entière correcte";
    QTest::newRow("15 lignes") << 15 << "'' n'est pas une valeur entière correcte";
    QTest::newRow("17 lignes") << 17 << "";
}

void TestParam::fichier_court()
{
    QFETCH(int, lignes);
    QFETCH(QString, erreur);
    QStringList p = banc::param_formulaire();
    p[10] = QStringLiteral("40"); // line 11, read only when the file goes on past line 9
    banc::Banc b(p.mid(0, lignes));
    b.demarre();
    QCOMPARE(b.erreurs, erreur.isEmpty() ? QStringList{} : QStringList{ erreur });
    auto &f = *b.form;
    QCOMPARE(f.etat.couleur_fond, 15780518); // line 9 always in effect
    QCOMPARE(f.reglages->Scroll_masque1->value(), lignes > 9 ? 40 : 67);
    QCOMPARE(f.etat.nb_couples, erreur.isEmpty() ? 4 : 0);
}

void TestParam::ligne_non_numerique_data()
{
    QTest::addColumn<int>("ligne");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<QList<double>>("emission"); // rouge, vert, bleu
    QTest::addColumn<std::int32_t>("fond");
    // Every line before the bad one in effect, none after: each value differs from the
    // window's own (height 64, emission 0 0 0, its starting background).
    const std::int32_t fond_form = std::int32_t(0x80000000u + 28u);
    const QString pas_entier = QStringLiteral("'%1' n'est pas une valeur entière correcte");
    const QString pas_reel =
            QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte");
    QTest::newRow("ligne 4") << 4 << pas_entier.arg("haut") << 64 << QList<double>{ 0, 0, 0 }
                             << fond_form;
    QTest::newRow("ligne 6") << 6 << pas_reel.arg("rouge") << 120 << QList<double>{ 0, 0, 0 }
                             << fond_form;
    QTest::newRow("ligne 7") << 7 << pas_reel.arg("vert") << 120 << QList<double>{ 0.25, 0, 0 }
                             << fond_form;
    QTest::newRow("ligne 8") << 8 << pas_reel.arg("bleu") << 120 << QList<double>{ 0.25, 0.5, 0 }
                             << fond_form;
    QTest::newRow("ligne 9") << 9 << pas_entier.arg("") << 120 << QList<double>{ 0.25, 0.5, 0.75 }
                             << fond_form;
    QTest::newRow("ligne 16") << 16 << pas_entier.arg("deux") << 120
                              << QList<double>{ 0.25, 0.5, 0.75 } << std::int32_t(15780518);
}

void TestParam::ligne_non_numerique()
{
    QFETCH(int, ligne);
    QFETCH(QString, message);
    QFETCH(int, hauteur);
    QFETCH(QList<double>, emission);
    QFETCH(std::int32_t, fond);
    QStringList p = banc::param_formulaire();
    p[3] = QStringLiteral("120");
    p[5] = QStringLiteral("0,25");
    p[6] = QStringLiteral("0.5");
    p[7] = QStringLiteral("0,75");
    p[ligne - 1] = message.section(u'\'', 1, 1);
    banc::Banc b(p);
    b.demarre();
    QCOMPARE(b.erreurs, QStringList{ message });
    auto &f = *b.form;
    QCOMPARE(f.reglages->Edit_masque->text(), QStringLiteral("#####")); // line 3 was applied
    QCOMPARE(f.reglages->Scroll_hauteur->value(), hauteur);
    const auto e = f.affichage->GLSpaceText1->materiau().emission;
    QCOMPARE((QList<double>{ e.r, e.g, e.b }), emission);
    QCOMPARE(f.affichage->vue_3d->couleur_fond(), fond);
    QCOMPARE(f.reglages->Edit_incongru->text(), QStringLiteral("+1/2")); // line 17 never reached
    QCOMPARE(f.etat.nb_couples, 0); // start-up ended there
}

void TestParam::bornes_data()
{
    QTest::addColumn<int>("ligne");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<int>("attendu");
    QTest::newRow("ligne 11 = 150") << 11 << "150" << 100;
    QTest::newRow("ligne 4 = 900") << 4 << "900" << 400;
    QTest::newRow("ligne 5 = -3") << 5 << "-3" << 0;
    QTest::newRow("ligne 16 = -1") << 16 << "-1" << -1;
    QTest::newRow("ligne 16 = -5") << 16 << "-5" << -1;
    QTest::newRow("ligne 16 = 7") << 16 << "7" << 2;
}

void TestParam::bornes()
{
    QFETCH(int, ligne);
    QFETCH(QString, valeur);
    QFETCH(int, attendu);
    banc::Banc b(avec_ligne(ligne, valeur));
    b.demarre();
    QVERIFY(b.erreurs.isEmpty());
    auto &f = *b.form;
    switch (ligne) {
    case 11:
        QCOMPARE(f.reglages->Scroll_masque1->value(), attendu);
        QCOMPARE(int(f.morbelle->Async_masque1->intervalle()), attendu);
        break;
    case 4:
        QCOMPARE(f.reglages->Scroll_hauteur->value(), attendu);
        break;
    case 5:
        QCOMPARE(f.reglages->Scroll_largeur->value(), attendu);
        break;
    default:
        QCOMPARE(f.reglages->Radio_incongru->index_choisi(), attendu);
    }
}

void TestParam::annuler_et_fermer_restaurent_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::newRow("Annuler") << "BitBtn3";
    QTest::newRow("X") << "SpeedButton3";
}

void TestParam::annuler_et_fermer_restaurent()
{
    QFETCH(QString, bouton);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.Rglages1Click();
    QVERIFY(f.reglages->isVisibleTo(&f));
    f.reglages->Scroll_timer->setValue(80);
    f.reglages->Scroll_hauteur->setValue(10);
    f.reglages->Edit_incongru->setText(QStringLiteral("+3"));
    f.reglages->Radio_incongru->definir_index(0);
    qobject_cast<QAbstractButton *>(f.reglages->findChild<QWidget *>(bouton))->click();
    QVERIFY(!f.reglages->isVisibleTo(&f));
    QCOMPARE(f.reglages->Scroll_hauteur->value(), 64);
    QCOMPARE(f.reglages->Edit_incongru->text(), QStringLiteral("+1/2"));
    QCOMPARE(f.reglages->Radio_incongru->index_choisi(), 2);
    QCOMPARE(f.korvane->AsyncTimer2->intervalle(), quint16(30)); // back to line 2
    QCOMPARE(f.reglages->Scroll_timer->value(), 80); // the bar keeps its place
    QVERIFY(b.erreurs.isEmpty());
}

void TestParam::ecriture_impossible_garde_l_ancien_data()
{
    QTest::addColumn<bool>("dossier"); // a folder in the file's place, else a read-only file
    QTest::newRow("fichier en lecture seule") << false;
    QTest::newRow("dossier à sa place") << true;
}

// OK over a target that cannot be written: the error is shown, and whatever stood
// there (the previous file, byte for byte) stays, with nothing left beside it.
void TestParam::ecriture_impossible_garde_l_ancien()
{
    QFETCH(bool, dossier);
    banc::Banc b;
    b.demarre();
    const QString param = b.chemin("param.ini");
    if (dossier) {
        QVERIFY(QFile::remove(param));
        QVERIFY(QDir().mkdir(param));
    } else {
        QVERIFY(QFile::setPermissions(param, QFile::ReadOwner | QFile::ReadGroup));
    }
    auto octets = [&] {
        QFile f(param);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
    };
    const QByteArray avant = octets();
    const QStringList fichiers = QDir(b.dossier.path()).entryList(QDir::AllEntries);
    b.form->Rglages1->trigger();
    b.form->reglages->Scroll_hauteur->setValue(11);
    QTest::mouseClick(b.form->reglages->BitBtn4, Qt::LeftButton); // OK
    QCOMPARE(b.erreurs.size(), 1);
    QVERIFY2(b.erreurs[0].startsWith(QStringLiteral("Impossible de créer le fichier")),
             qPrintable(b.erreurs[0]));
    QCOMPARE(QFileInfo(param).isDir(), dossier);
    QCOMPARE(octets(), avant);
    if (!dossier)
        QVERIFY(avant.startsWith(".\\machin.liste_fantrel\r\n30 ms\r\n#####\r\n64\r\n"));
    QCOMPARE(QDir(b.dossier.path()).entryList(QDir::AllEntries), fichiers);
}

void TestParam::nuancier_gele_une_seconde()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.reglages->Radio_texte->setChecked(true);
    const QPoint rouge(0, 21), bleu(62, 21);
    auto emission = [&] { return f.affichage->GLSpaceText1->materiau().emission; };
    f.reglages->Ima_hgMouseMove(rouge);
    QVERIFY(emission().r > 0.9f && emission().b < 0.1f);
    f.reglages->Ima_hgMouseDown();
    f.reglages->Ima_hgMouseMove(bleu);
    QVERIFY2(emission().r > 0.9f, "gelé : la couleur pressée reste");
    QTRY_VERIFY_WITH_TIMEOUT(!f.reglages->couleur_gelee(), 1500);
    f.reglages->Ima_hgMouseMove(bleu);
    QVERIFY2(emission().b > 0.9f && emission().r < 0.1f, "dégelé : la couleur suit de nouveau");
    f.reglages->RadioButton1->setChecked(true);
    f.reglages->Ima_hgMouseMove(rouge);
    QVERIFY(emission().b > 0.9f);
}

void TestParam::fond_choisi_puis_reaffichage()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.reglages->Radio_fond->setChecked(true);
    f.reglages->Ima_hgMouseMove(QPoint(30, 10));
    QCOMPARE(f.affichage->vue_3d->couleur_fond(),
             f.reglages->Ima_hg->couleur_pixel(QPoint(30, 10)));
    QCOMPARE(f.etat.couleur_fond, 15780518);
    f.affichage->Timer_reaffichTimer();
    QCOMPARE(f.affichage->vue_3d->couleur_fond(), 15780518);
}

void TestParam::taille_du_texte()
{
    banc::Banc b;
    auto &f = *b.form;
    QCOMPARE(f.reglages->Lab_hauteur->text(), QStringLiteral("0.640"));
    f.reglages->Scroll_hauteur->setValue(400);
    QCOMPARE(f.reglages->Lab_hauteur->text(), QStringLiteral("4.000"));
    QCOMPARE(f.affichage->GLSpaceText1->echelle().y(), 4.0f);
    f.reglages->Scroll_largeur->setValue(0);
    QCOMPARE(f.reglages->Lab_largeur->text(), QStringLiteral("0.000"));
    QCOMPARE(f.affichage->GLSpaceText1->echelle().x(), 0.0f);
    QCOMPARE(f.affichage->GLSpaceText1->echelle().z(), 0.8f);
}

void TestParam::texte_hors_windows1252_data()
{
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("relu"); // as the next start shows it
    // The list opened at start then sizes the mask to its second line: 9 signs.
    QTest::newRow("mire") << "Edit_masque" << QStringLiteral("█████") << QString(9, u'█');
    QTest::newRow("masque 1") << "Edit_masque1" << QStringLiteral("ŁŁŁŁŁŁ")
                              << QStringLiteral("ŁŁŁŁŁŁ");
    QTest::newRow("liste au nom cyrillique") << "Edit1" << QStringLiteral("слова.liste_fantrel")
                                             << QStringLiteral("слова.liste_fantrel");
}

// Whatever is typed is saved: a text Windows-1252 cannot hold is written in UTF-8.
void TestParam::texte_hors_windows1252()
{
    QFETCH(QString, champ);
    QFETCH(QString, texte);
    QFETCH(QString, relu);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    if (champ == "Edit1") { // the list's name comes from the list opened
        platform::ecrire_lignes(b.chemin(texte), banc::liste_quatre());
        b.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &) {
            return platform::ResultatDialogue{ true, b.chemin(texte), 2 };
        };
        f.Ouvrirunexercice1->trigger();
    } else {
        auto *saisie = f.reglages->findChild<QLineEdit *>(champ);
        saisie->clear();
        tape(saisie, texte);
    }
    f.Rglages1->trigger();
    QTest::mouseClick(f.reglages->BitBtn4, Qt::LeftButton); // OK
    QVERIFY(b.erreurs.isEmpty());

    banc::Banc suivant({}, banc::liste_quatre());
    QFile::copy(b.chemin("param.ini"), suivant.chemin("param.ini"));
    QFile::copy(b.chemin(texte), suivant.chemin(texte));
    suivant.demarre();
    QVERIFY2(suivant.erreurs.isEmpty(), qPrintable(suivant.erreurs.join(u'\n')));
    QCOMPARE(suivant.form->reglages->findChild<QLineEdit *>(champ)->text(), relu);
}

FANTREL_TEST_MAIN(TestParam)
#include "test_param.moc"

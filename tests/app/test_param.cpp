// Reading the settings file: partial and bad files, clamping, Cancel and close, the
// colour picker (writing it: test_param_ecriture.cpp).
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
    void fichier_court_data();
    void fichier_court();
    void ligne_non_numerique_data();
    void ligne_non_numerique();
    void bornes_data();
    void bornes();
    void annuler_et_fermer_restaurent_data();
    void annuler_et_fermer_restaurent();
    void annuler_ligne_2_illisible();
    void nuancier_gele_une_seconde();
    void fond_choisi_puis_reaffichage();
    void taille_du_texte();
};

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

// A line 2 that does not convert leaves the exposure and its label as they were, so
// that OK does not save the unreadable text for the next start to stumble on.
void TestParam::annuler_ligne_2_illisible()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    platform::ecrire_lignes(b.chemin("param.ini"), avec_ligne(2, QStringLiteral("trente")));
    f.Rglages1->trigger();
    QTest::mouseClick(f.reglages->BitBtn3, Qt::LeftButton); // Annuler
    QCOMPARE(b.erreurs, QStringList{ "'' n'est pas une valeur entière correcte" });
    QCOMPARE(f.reglages->Lab_intervalle_timer->text(), QStringLiteral("30 ms"));
    QCOMPARE(f.korvane->AsyncTimer2->intervalle(), quint16(30));
    f.Rglages1->trigger();
    QTest::mouseClick(f.reglages->BitBtn4, Qt::LeftButton); // OK
    QCOMPARE(platform::lire_lignes(b.chemin("param.ini")).value(1), QStringLiteral("30 ms"));
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

FANTREL_TEST_MAIN(TestParam)
#include "test_param.moc"

// Writing the settings file: round trips through the controls, reals in the regional
// format, a target that cannot be written, text outside Windows-1252.
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

} // namespace

class TestParamEcriture : public QObject
{
    Q_OBJECT
private slots:
    void aller_retour();
    void reels_au_format_regional();
    void ecriture_impossible_garde_l_ancien_data();
    void ecriture_impossible_garde_l_ancien();
    void texte_hors_windows1252_data();
    void texte_hors_windows1252();
};

void TestParamEcriture::aller_retour()
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

void TestParamEcriture::reels_au_format_regional()
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

void TestParamEcriture::ecriture_impossible_garde_l_ancien_data()
{
    QTest::addColumn<bool>("dossier"); // a folder in the file's place, else a read-only file
    QTest::newRow("fichier en lecture seule") << false;
    QTest::newRow("dossier à sa place") << true;
}

// OK over a target that cannot be written: the error is shown, and whatever stood
// there (the previous file, byte for byte) stays, with nothing left beside it.
void TestParamEcriture::ecriture_impossible_garde_l_ancien()
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

void TestParamEcriture::texte_hors_windows1252_data()
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
void TestParamEcriture::texte_hors_windows1252()
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

FANTREL_TEST_MAIN(TestParamEcriture)
#include "test_param_ecriture.moc"

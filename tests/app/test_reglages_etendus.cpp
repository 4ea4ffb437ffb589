// fantrel.ini: what is written is read back, and a bad value keeps its default
// without hiding the others.
#include "app/reglages_etendus.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel::app;

class TestReglagesEtendus : public QObject
{
    Q_OBJECT
private slots:
    void aller_retour()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("fantrel.ini");
        ReglagesEtendus r;
        r.uri_labo = QStringLiteral("postgresql://fantrel@/labo?host=/run/postgresql&port=5432");
        r.station = QStringLiteral("Salle é 2");
        r.touche_gauche = QStringLiteral("Q");
        r.photodiode = true;
        r.taille_photodiode = 80;
        r.coin_photodiode = CoinEcran::haut_droite;
        r.echelle_a_priori = 0.3;
        QVERIFY(ecrit_reglages_etendus(chemin, r));
        QStringList ecarts;
        QCOMPARE(lit_reglages_etendus(chemin, &ecarts), r);
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join('\n')));
    }

    void valeurs_refusees_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::newRow("taille hors bornes") << QByteArray("[photodiode]\ntaille=4000\n");
        QTest::newRow("coin inconnu") << QByteArray("[photodiode]\ncoin=milieu\n");
        QTest::newRow("actif illisible") << QByteArray("[photodiode]\nactif=oui\n");
        QTest::newRow("échelle nulle") << QByteArray("[statistiques]\nechelle_a_priori=0\n");
        QTest::newRow("touche vide") << QByteArray("[clavier]\ngauche=\n");
    }
    void valeurs_refusees()
    {
        QFETCH(QByteArray, ligne);
        QTemporaryDir dossier;
        QFile f(dossier.filePath("fantrel.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ligne + "[statistiques]\n" + (ligne.startsWith("[statistiques]") ? "" : "echelle_a_priori=0,25\n"));
        f.close();
        QStringList ecarts;
        const ReglagesEtendus r = lit_reglages_etendus(f.fileName(), &ecarts);
        QCOMPARE(ecarts.size(), 1);
        ReglagesEtendus attendu;
        if (!ligne.startsWith("[statistiques]"))
            attendu.echelle_a_priori = 0.25; // the good value beside the bad one is read
        QCOMPARE(r, attendu);
    }
};

QTEST_GUILESS_MAIN(TestReglagesEtendus)
#include "test_reglages_etendus.moc"

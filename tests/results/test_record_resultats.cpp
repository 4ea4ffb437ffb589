// The results record held without any window (no QApplication even): headers of new
// and renamed users in the right section, text typed before the rows by hand, and the
// ".res" bytes written.
#include "platform/interactions.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace fantrel;

class TestRecordResultats : public QObject
{
    Q_OBJECT
private slots:
    void sections_et_fichier_data();
    void sections_et_fichier();
};

void TestRecordResultats::sections_et_fichier_data()
{
    QTest::addColumn<QString>("avant"); // typed at the start of the text first
    QTest::addColumn<QByteArray>("octets");
    const QByteArray rangees =
            "Anne\r\nMot affich\xe9=a prop=$a b r\xe9pondu=a\r\nZo\xe9\r\nEssai2\r\n";
    QTest::newRow("tel quel") << QString() << rangees;
    QTest::newRow("note tapée avant") << "note\n"
                                      << "note\r\n" + rangees;
}

void TestRecordResultats::sections_et_fichier()
{
    QFETCH(QString, avant);
    QFETCH(QByteArray, octets);
    platform::RemplacementInteractions seams;
    results::TableauResultats tableau;
    results::RecordResultats record(tableau);
    tableau.cree_utilisateur(); // the sum row: no header
    tableau.cree_utilisateur();
    QCOMPARE(record.lignes(), QStringList{ "Essai1" });
    QVERIFY2(!record.modifie(), "a header alone holds nothing to save");
    QTextCursor(record.document()).insertText(avant); // as the box does with what is typed
    record.ajoute_ligne(QStringLiteral("Mot affiché=a prop=$a b répondu=a"));
    tableau.renomme(1, QStringLiteral("Anne")); // the header, not the note before it
    QCOMPARE(record.reponses_listees(1), QStringList{ "$a-b" });
    tableau.tout_effacer(); // the rows' sections now count from its new header
    tableau.renomme(1, QStringLiteral("Zoé"));
    tableau.cree_utilisateur();
    QCOMPARE(record.reponses_listees(1), QStringList{});
    QVERIFY(record.modifie());
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("r.res"));
    QVERIFY(record.enregistre(chemin));
    QVERIFY(!record.modifie());
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(), octets);
}

QTEST_GUILESS_MAIN(TestRecordResultats)
#include "test_record_resultats.moc"

// The capacity of the text boxes files are loaded into: a text up to it reads, one
// character more is refused, a file refused by its size alone would also have been
// refused once decoded, and the errors of a file that cannot be opened come first.
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "platform/capacite_memo.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include "verifications.h"

using namespace fantrel;

namespace {

// One line of n characters of `motif` (1 byte or, as UTF-8, several), after `tete`.
QByteArray une_ligne(const QByteArray &tete, const QByteArray &motif, qsizetype n)
{
    return tete + motif.repeated(n);
}

} // namespace

class TestCapaciteMemo : public QObject
{
    Q_OBJECT
private slots:
    void lecture_data();
    void lecture();
    void refus_par_la_taille();
    void gros_fichier_sans_droit_de_lecture();

private:
    QTemporaryDir m_dossier;
};

void TestCapaciteMemo::lecture_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<qsizetype>("longueur"); // of the single line a correct reading gives
    QTest::addColumn<bool>("refuse");
    const qsizetype n = platform::capacite_memo - 2; // the line's CR LF counts too
    QTest::newRow("à la capacité") << une_ligne({}, "a", n) << n << false;
    QTest::newRow("un caractère de trop") << une_ligne({}, "a", n + 1) << n + 1 << true;
    QTest::newRow("à la capacité, fin de ligne comprise") << une_ligne({}, "a", n) + "\r\n"
                                                          << n << false;
    // Three bytes a character and a BOM: near three times the capacity in bytes.
    QTest::newRow("UTF-8 à la capacité")
            << une_ligne("\xEF\xBB\xBF", "\xE2\x82\xAC", n) << n << false;
    QTest::newRow("UTF-8, un caractère de trop")
            << une_ligne("\xEF\xBB\xBF", "\xE2\x82\xAC", n + 1) << n + 1 << true;
}

void TestCapaciteMemo::lecture()
{
    QFETCH(QByteArray, octets);
    QFETCH(qsizetype, longueur);
    QFETCH(bool, refuse);
    const QString chemin = m_dossier.filePath(QStringLiteral("liste.txt"));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size());
    f.close();
    try {
        const QStringList lignes = platform::lire_lignes_memo(chemin);
        QVERIFY2(!refuse, "a text beyond the capacity was read");
        QCOMPARE(lignes.size(), 1);
        QCOMPARE(lignes[0].size(), longueur);
    } catch (const platform::ErreurExecution &e) {
        QVERIFY2(refuse, qPrintable(e.message()));
        QCOMPARE(e.message(), platform::erreur_capacite_memo().message());
    }
}

// A file past three times the capacity (and a BOM) is refused without being read;
// one that cannot be opened gives the usual error, a large one too.
void TestCapaciteMemo::refus_par_la_taille()
{
    const QString gros = m_dossier.filePath(QStringLiteral("gros.txt"));
    QFile f(gros);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(f.resize(3 * platform::capacite_memo
                     + 4)); // NUL bytes: one character each once decoded
    f.close();
    QVERIFY(platform::nb_caracteres_memo(platform::lire_lignes(gros))
            > platform::capacite_memo); // as decoding would find
    try {
        platform::lire_lignes_memo(gros);
        QFAIL("a file three times the capacity was read");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), platform::erreur_capacite_memo().message());
    }

    const QString absent = m_dossier.filePath(QStringLiteral("absent.txt"));
    for (const QString &chemin : { absent, m_dossier.path() }) {
        try {
            platform::lire_lignes_memo(chemin);
            QFAIL("a file that cannot be opened was read");
        } catch (const platform::ErreurExecution &e) {
            QCOMPARE(e.message(), platform::erreur_ouverture(chemin).message());
        }
    }
}

void TestCapaciteMemo::gros_fichier_sans_droit_de_lecture()
{
    const QString gros = m_dossier.filePath(QStringLiteral("gros_interdit.txt"));
    QFile f(gros);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(f.resize(3 * platform::capacite_memo + 4));
    f.close();
    QVERIFY(QFile::setPermissions(gros, QFileDevice::Permissions()));
    const commun::SansDroitsDeRoot sans_droits; // root too meets the permissions
    QVERIFY2(sans_droits.ok(), "capset refused");
    try {
        platform::lire_lignes_memo(gros);
        QFAIL("a file without read permission was read");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), platform::erreur_ouverture(gros).message());
    }
}

QTEST_GUILESS_MAIN(TestCapaciteMemo)
#include "test_capacite_memo.moc"

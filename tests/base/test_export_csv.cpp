// The CSV export: fields as RFC 4180 wants them, and a whole export read back by R's
// read.csv and pandas' read_csv with no option, accents, commas, quotes and line
// breaks intact, empty fields missing, numbers with their decimal point.
#include "essais_exemples.h"
#include "base/base_essais.h"
#include "base/export_csv.h"
#include "base/schema_base.h"
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using namespace fantrel::base;

namespace {

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first interpreter that runs the check; pandas is Debian's (python3-pandas),
// which another python3 found first on the PATH may not see.
QString interprete(const QStringList &candidats, const QStringList &essai)
{
    for (const QString &candidat : candidats) {
        if (candidat.isEmpty())
            continue;
        QProcess p;
        p.start(candidat, essai);
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidat;
    }
    return QString();
}

// Trials whose words and names hold what a CSV must protect.
QVector<Essai> essais_difficiles()
{
    Essai virgules = exemples::essai_boutons(1);
    virgules.mot1 = QStringLiteral("café, \"noir\"\nou crème");
    virgules.mot2 = QStringLiteral("thé\r\nvert");
    virgules.nom_utilisateur = QStringLiteral("Zoé « Lefèvre », 2ᵉ groupe");
    Essai vide = exemples::essai_je_ne_sais_pas();
    vide.nom_utilisateur.clear();
    Essai formules = exemples::essai_boutons(4);
    formules.nom_utilisateur = QStringLiteral("=SOMME(A1;A2)");
    formules.mot1 = QStringLiteral("-ment");
    formules.mot2 = QStringLiteral("+1");
    formules.reponse = QStringLiteral("@moi");
    formules.exposition_mesuree_ms = 0.5;
    return { virgules, vide, formules, exemples::essai_saisie(), exemples::essai_morbelle(),
             exemples::essai_melodie() };
}

const QStringList colonnes_lues = { "nom_utilisateur",
                                    "mot1",
                                    "mot2",
                                    "reponse",
                                    "exposition_mesuree_ms",
                                    "phases_mesurees_ms",
                                    "categorie",
                                    "correct",
                                    "melodie",
                                    "ligne_resultat",
                                    "images" };

QString attendu(const Essai &e, const QString &colonne)
{
    const auto nombre = [](const auto &v) {
        return v ? QString::number(*v, 'g', QLocale::FloatingPointShortest) : QString();
    };
    if (colonne == "nom_utilisateur")
        return e.nom_utilisateur;
    if (colonne == "mot1")
        return e.mot1;
    if (colonne == "mot2")
        return e.mot2;
    if (colonne == "reponse")
        return e.reponse;
    if (colonne == "exposition_mesuree_ms")
        return nombre(e.exposition_mesuree_ms);
    if (colonne == "phases_mesurees_ms")
        return e.phases_mesurees_ms ? QStringLiteral("66.71/33.38/33.29/66.7") : QString();
    if (colonne == "categorie")
        return nombre(e.categorie);
    if (colonne == "correct")
        return e.correct ? QString::number(int(*e.correct)) : QString();
    if (colonne == "melodie")
        return e.melodie;
    if (colonne == "ligne_resultat")
        return e.ligne_resultat;
    return nombre(e.images);
}

// What the reading scripts print for these trials. NOTE: R reads its files as text and
// turns a CR LF within a quoted field into LF; pandas keeps the field's bytes. The
// spreadsheet's form keeps the "'" put before a text that a spreadsheet would evaluate.
QStringList sortie_attendue(const QVector<Essai> &essais, bool r, bool tableur = false)
{
    static const QStringList nombres = { "exposition_mesuree_ms", "categorie", "correct",
                                         "images" };
    QStringList lignes = { QStringLiteral("lignes %1").arg(essais.size()) };
    for (const Essai &e : essais)
        for (const QString &colonne : colonnes_lues) {
            QString v = attendu(e, colonne);
            if (tableur && !nombres.contains(colonne) && !v.isEmpty()
                && QStringLiteral("=+-@").contains(v.front()))
                v.prepend(QLatin1Char('\''));
            if (r)
                v.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            lignes << (v.isEmpty() ? QStringLiteral("VIDE")
                                   : QString::fromLatin1(v.toUtf8().toHex()));
        }
    return lignes;
}

} // namespace

class TestExportCsv : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void champ_data();
    void champ();
    void valeur_data();
    void valeur();
    void fichier_exporte();
    void forme_r_pandas_a_l_octet();
    void lu_par_r_et_pandas_data();
    void lu_par_r_et_pandas();
    void une_seance_ou_toutes();
    void echec_data();
    void echec();
    void base_illisible();

private:
    QString chemin(const QString &nom) const { return m_dossier->filePath(nom); }
    QString base_remplie(const QVector<Essai> &essais);

    std::unique_ptr<QTemporaryDir> m_dossier;
};

void TestExportCsv::init()
{
    m_dossier = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dossier->isValid());
}

QString TestExportCsv::base_remplie(const QVector<Essai> &essais)
{
    const QString base_chemin = chemin("fantrel.sqlite");
    BaseEssais base(base_chemin);
    const qint64 seance = base.insere_seance(exemples::seance_exemple(m_dossier->path()));
    QVector<Essai> lot = essais;
    for (qsizetype i = 0; i < lot.size(); ++i) {
        lot[i].seance = seance;
        lot[i].ordre = i + 1;
    }
    base.insere_essais(lot);
    return base_chemin;
}

void TestExportCsv::champ_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("champ");
    QTest::newRow("simple") << "fiel"
                            << "fiel";
    QTest::newRow("accents et blancs gardés") << " Zoé Lefèvre "
                                              << " Zoé Lefèvre ";
    QTest::newRow("vide") << ""
                          << "";
    QTest::newRow("virgule") << "a,b"
                             << "\"a,b\"";
    QTest::newRow("guillemets doublés") << "dit \"oui\""
                                        << "\"dit \"\"oui\"\"\"";
    QTest::newRow("saut de ligne") << "a\nb"
                                   << "\"a\nb\"";
    QTest::newRow("retour chariot seul") << "a\rb"
                                         << "\"a\rb\"";
    QTest::newRow("point-virgule sans guillemets") << "a;b"
                                                   << "a;b";
}

void TestExportCsv::champ()
{
    QFETCH(QString, texte);
    QFETCH(QString, champ);
    QCOMPARE(champ_csv(texte), champ);
}

void TestExportCsv::valeur_data()
{
    QTest::addColumn<QVariant>("valeur");
    QTest::addColumn<QString>("champ");
    QTest::newRow("NULL") << QVariant() << "";
    QTest::newRow("entier") << QVariant(qlonglong(-42)) << "-42";
    QTest::newRow("centièmes") << QVariant(33.37) << "33.37";
    QTest::newRow("réel entier") << QVariant(67.0) << "67";
    QTest::newRow("texte à citer") << QVariant(QStringLiteral("x, y")) << "\"x, y\"";
}

void TestExportCsv::valeur()
{
    QFETCH(QVariant, valeur);
    QFETCH(QString, champ);
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString obtenu = champ_valeur(valeur);
    QLocale::setDefault(avant);
    QCOMPARE(obtenu, champ);
}

// The bytes themselves: no byte order mark, the header, CR LF between rows.
void TestExportCsv::fichier_exporte()
{
    const QString csv = chemin("essais.csv");
    exporte_csv(base_remplie({ exemples::essai_boutons(1) }), csv);
    const QByteArray octets = contenu(csv);
    QVERIFY(!octets.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lignes = octets.split('\n');
    QCOMPARE(lignes.size(), 3); // header, one trial, nothing after the last CR LF
    QCOMPARE(lignes[0], colonnes_csv().join(',').toUtf8() + '\r');
    QVERIFY(lignes[1].startsWith("1,1,2024-03-14T09:26:54.589Z,1,Zoé Lefèvre,korvane,1,"));
    QVERIFY(lignes[1].contains(",33,33.37,,812.46,"));
    // The melody's stream columns, empty for a word trial, the planned frames, a
    // threshold run's columns, then the identities (none for a trial written straight
    // into the base).
    QVERIFY(lignes[1].endsWith(",2,0,Mot affiché=fiel prop=$fiel fier répondu=fiel,,,,2,0,,,,,,,,,\r"));
    QCOMPARE(lignes[2], QByteArray());
}

// The R/pandas form, byte for byte as essais_r_pandas.csv holds it. NOTE: a new column
// of essais changes this file: write it anew with FANTREL_REFERENCE_CSV=path.
void TestExportCsv::forme_r_pandas_a_l_octet()
{
    const QString csv = chemin("essais.csv");
    exporte_csv(base_remplie(essais_difficiles()), csv);
    const QString nouvelle = qEnvironmentVariable("FANTREL_REFERENCE_CSV");
    if (!nouvelle.isEmpty())
        QVERIFY(QFile::copy(csv, nouvelle));
    QCOMPARE(contenu(csv), contenu(QFINDTESTDATA("essais_r_pandas.csv")));
}

void TestExportCsv::lu_par_r_et_pandas_data()
{
    QTest::addColumn<QString>("lecteur");
    QTest::newRow("pandas.read_csv") << "pandas";
    QTest::newRow("R read.csv") << "R";
    QTest::newRow("tableur (France) par pandas") << "tableur";
}

void TestExportCsv::lu_par_r_et_pandas()
{
    QFETCH(QString, lecteur);
    QString programme;
    QString script;
    const bool tableur = lecteur == "tableur";
    if (lecteur != "R") {
        programme = interprete({ "/usr/bin/python3", QStandardPaths::findExecutable("python3") },
                               { "-c", "import pandas" });
        script = QFINDTESTDATA("lit_csv.py");
    } else {
        programme = interprete({ QStandardPaths::findExecutable("Rscript"), "/usr/bin/Rscript" },
                               { "-e", "invisible(read.csv)" });
        script = QFINDTESTDATA("lit_csv.R");
    }
    QVERIFY2(!programme.isEmpty(),
             "python3-pandas et r-base-core sont nécessaires (scripts/install-deps.sh)");
    const QVector<Essai> essais = essais_difficiles();
    const QString csv = chemin("essais.csv");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); // "," as decimal mark
    exporte_csv(base_remplie(essais), csv, std::nullopt,
                tableur ? FormeCsv::tableur_france : FormeCsv::r_pandas);
    QLocale::setDefault(QLocale::c());
    if (tableur) { // the bytes pandas forgives: the mark, the separator, the comma
        const QByteArray octets = contenu(csv);
        QVERIFY(octets.startsWith("\xEF\xBB\xBFid;seance;debut_utc;"));
        QVERIFY(octets.contains(";\"'=SOMME(A1;A2)\";korvane;4;'-ment;'+1;"));
        QVERIFY(octets.contains(";33;0,5;"));
    }

    QProcess lecture;
    const QStringList options = tableur ? QStringList{ "--tableur" } : QStringList{};
    lecture.start(programme, QStringList{ script } + options + QStringList{ csv } + colonnes_lues);
    QVERIFY(lecture.waitForFinished(120000));
    const QString erreurs = QString::fromUtf8(lecture.readAllStandardError());
    QVERIFY2(lecture.exitCode() == 0, qPrintable(erreurs));
    const QStringList obtenu = QString::fromUtf8(lecture.readAllStandardOutput())
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList voulu = sortie_attendue(essais, lecteur == "R", tableur);
    QCOMPARE(obtenu.size(), voulu.size());
    for (qsizetype i = 0; i < voulu.size(); ++i) {
        const qsizetype rangee = (i - 1) / colonnes_lues.size();
        const QString quoi = i == 0 ? QStringLiteral("nombre de lignes")
                                    : QStringLiteral("essai %1, %2")
                                              .arg(rangee + 1)
                                              .arg(colonnes_lues[(i - 1) % colonnes_lues.size()]);
        QVERIFY2(
                obtenu[i] == voulu[i],
                qPrintable(
                        QStringLiteral("%1 : lu « %2 », attendu « %3 »")
                                .arg(quoi,
                                     QString::fromUtf8(QByteArray::fromHex(obtenu[i].toLatin1())),
                                     QString::fromUtf8(QByteArray::fromHex(voulu[i].toLatin1())))));
    }
}

void TestExportCsv::une_seance_ou_toutes()
{
    const QString base_chemin = chemin("fantrel.sqlite");
    {
        BaseEssais base(base_chemin);
        for (int s = 1; s <= 2; ++s) {
            const qint64 id = base.insere_seance(exemples::seance_exemple(m_dossier->path()));
            for (int n = 1; n <= s + 1; ++n) {
                Essai e = exemples::essai_boutons(n);
                e.seance = id;
                e.ordre = n;
                base.insere_essai(e);
            }
        }
    }
    const auto lignes = [&](std::optional<qint64> seance) {
        exporte_csv(base_chemin, chemin("x.csv"), seance);
        return contenu(chemin("x.csv")).count("\r\n") - 1;
    };
    QCOMPARE(lignes(std::nullopt), 5);
    QCOMPARE(lignes(1), 2);
    QCOMPARE(lignes(2), 3);
    QCOMPARE(lignes(3), 0);
}

void TestExportCsv::echec_data()
{
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("raison");
    QTest::newRow("fichier en lecture seule") << "lecture_seule.csv"
                                              << "Le fichier est en lecture seule.";
    QTest::newRow("un dossier") << "dossier"
                                << "C'est un dossier.";
    QTest::newRow("dossier absent") << "absent/essais.csv"
                                    << "";
}

// Reported with the program's message; the previous file, if any, stays whole.
void TestExportCsv::echec()
{
    QFETCH(QString, cible);
    QFETCH(QString, raison);
    const QString base_chemin = base_remplie({ exemples::essai_boutons(1) });
    const QString csv = chemin(cible);
    QVERIFY(QDir(m_dossier->path()).mkdir("dossier"));
    QFile precedent(chemin("lecture_seule.csv"));
    QVERIFY(precedent.open(QIODevice::WriteOnly));
    precedent.write("ancien");
    precedent.close();
    QVERIFY(precedent.setPermissions(QFile::ReadOwner));
    try {
        exporte_csv(base_chemin, csv);
        QFAIL("l'export aurait dû échouer");
    } catch (const platform::ErreurExecution &e) {
        const QString debut = QStringLiteral("Impossible de créer le fichier %1\n").arg(csv);
        QVERIFY2(e.message().startsWith(debut) && e.message().contains(raison),
                 qPrintable(e.message()));
    }
    QCOMPARE(contenu(chemin("lecture_seule.csv")), QByteArray("ancien"));
    QVERIFY(precedent.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
}

void TestExportCsv::base_illisible()
{
    try {
        exporte_csv(chemin("absente.sqlite"), chemin("x.csv"));
        QFAIL("une base absente ne s'exporte pas");
    } catch (const platform::ErreurExecution &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Impossible d'ouvrir le fichier %1\n")
                                                .arg(chemin("absente.sqlite"))),
                 qPrintable(e.message()));
    }
    QVERIFY(!QFile::exists(chemin("x.csv")));
    QVERIFY(!QFile::exists(chemin("absente.sqlite")));
}

QTEST_GUILESS_MAIN(TestExportCsv)
#include "test_export_csv.moc"

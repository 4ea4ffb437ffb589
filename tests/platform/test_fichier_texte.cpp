#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "verifications.h"
#include <optional>

using namespace fantrel;

class TestFichierTexte : public QObject
{
    Q_OBJECT
private slots:
    void aller_retour_windows1252();
    void encode_caracteres_absents_data();
    void encode_caracteres_absents();
    void decode_texte_data();
    void decode_texte();
    void decoupe_lignes_data();
    void decoupe_lignes();
    void ecriture_crlf_windows1252();
    void ecriture_utf8_si_windows1252_perd_data();
    void ecriture_utf8_si_windows1252_perd();
    void lecture_impossible_data();
    void lecture_impossible();
    void sauvegarde_echouee_data();
    void sauvegarde_echouee();
    void chemin_relatif_data();
    void chemin_relatif();

private:
    QTemporaryDir m_dossier;
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }
    void ecrit_brut(const QString &nom, const QByteArray &octets) const
    {
        QFile f(chemin(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    QByteArray lit_brut(const QString &nom) const
    {
        QFile f(chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

void TestFichierTexte::aller_retour_windows1252()
{
    QByteArray tous;
    for (int i = 0; i < 256; ++i)
        tous += char(i);
    const QString texte = platform::decode_windows1252(tous);
    QCOMPARE(texte.size(), 256);
    QCOMPARE(platform::encode_windows1252(texte), tous);
    // A few fixed points of the code page, undefined bytes included.
    QCOMPARE(texte[0x80], QChar(0x20AC));
    QCOMPARE(texte[0x81], QChar(0x0081));
    QCOMPARE(texte[0x9D], QChar(0x009D));
    QCOMPARE(texte[0x9F], QChar(0x0178));
    QCOMPARE(texte[0xE9], QChar(u'é'));
    QSet<QChar> distincts(texte.begin(), texte.end());
    QCOMPARE(distincts.size(), 256);
}

void TestFichierTexte::encode_caracteres_absents_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("attendu");
    QTest::newRow("ideogramme") << QStringLiteral("a日b") << QByteArray("a?b");
    QTest::newRow("hors plan de base") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("C1 defini ailleurs") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("euro et oe") << QStringLiteral("€œ") << QByteArray("\x80\x9C");
}

void TestFichierTexte::encode_caracteres_absents()
{
    QFETCH(QString, texte);
    QFETCH(QByteArray, attendu);
    QCOMPARE(platform::encode_windows1252(texte), attendu);
}

void TestFichierTexte::decode_texte_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("ascii") << QByteArray("abc\r\n") << QStringLiteral("abc\r\n");
    QTest::newRow("utf8 accents") << QByteArray("caf\xC3\xA9 \xC3\xA0") << QStringLiteral("café à");
    QTest::newRow("utf8 avec BOM")
            << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9") << QStringLiteral("été");
    QTest::newRow("1252 accents") << QByteArray("caf\xE9 \xE0") << QStringLiteral("café à");
    QTest::newRow("1252 qui ressemble a utf8 tronque")
            << QByteArray("caf\xC3") << QStringLiteral("cafÃ");
    QTest::newRow("forme trop longue") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
    QTest::newRow("demi-code utf8") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
    QTest::newRow("vide") << QByteArray() << QString();
}

void TestFichierTexte::decode_texte()
{
    QFETCH(QByteArray, octets);
    QFETCH(QString, attendu);
    QCOMPARE(fantrel::platform::decode_texte(octets), attendu);
    ecrit_brut(QStringLiteral("decode.txt"), octets);
    QCOMPARE(platform::lire_texte(chemin(QStringLiteral("decode.txt"))), attendu);
}

void TestFichierTexte::decoupe_lignes_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << QStringList{ "a", "b" };
    QTest::newRow("CR seul") << QStringLiteral("a\rb\r") << QStringList{ "a", "b" };
    QTest::newRow("LF seul") << QStringLiteral("a\nb\n") << QStringList{ "a", "b" };
    QTest::newRow("melange") << QStringLiteral("a\r\nb\rc\nd") << QStringList{ "a", "b", "c", "d" };
    QTest::newRow("LF CR fait deux fins")
            << QStringLiteral("a\n\rb") << QStringList{ "a", "", "b" };
    QTest::newRow("sans fin finale") << QStringLiteral("a\r\nb") << QStringList{ "a", "b" };
    QTest::newRow("lignes vides") << QStringLiteral("\r\n\r\nx\r\n") << QStringList{ "", "", "x" };
    QTest::newRow("vide") << QString() << QStringList{};
    QTest::newRow("une fin seule") << QStringLiteral("\r\n") << QStringList{ "" };
    QTest::newRow("blancs gardes") << QStringLiteral(" a \t\r\n") << QStringList{ " a \t" };
}

void TestFichierTexte::decoupe_lignes()
{
    QFETCH(QString, texte);
    QFETCH(QStringList, lignes);
    QCOMPARE(fantrel::platform::decoupe_lignes(texte), lignes);
    ecrit_brut(QStringLiteral("lignes.txt"), platform::encode_windows1252(texte));
    QCOMPARE(platform::lire_lignes(chemin(QStringLiteral("lignes.txt"))), lignes);
    QCOMPARE(platform::lire_lignes_systeme(chemin(QStringLiteral("lignes.txt"))), lignes);
}

void TestFichierTexte::ecriture_crlf_windows1252()
{
    const QStringList lignes{ QStringLiteral("Mot affiché=été prop="), QString(),
                              QStringLiteral("œuvre €") };
    platform::ecrire_lignes(chemin(QStringLiteral("ecrit.txt")), lignes);
    QCOMPARE(lit_brut(QStringLiteral("ecrit.txt")),
             QByteArray("Mot affich\xE9=\xE9t\xE9 prop=\r\n\r\n\x9Cuvre \x80\r\n"));
    QCOMPARE(platform::lire_lignes(chemin(QStringLiteral("ecrit.txt"))), lignes);

    platform::ecrire_texte(chemin(QStringLiteral("ecrit.txt")), QStringLiteral("é\n"));
    QCOMPARE(lit_brut(QStringLiteral("ecrit.txt")), QByteArray("\xE9\n"));
}

void TestFichierTexte::ecriture_utf8_si_windows1252_perd_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("octets");
    QTest::newRow("tient en Windows-1252")
            << QStringLiteral("œuvre € é") << QByteArray("\x9Cuvre \x80 \xE9\r\n");
    QTest::newRow("signe hors de la page")
            << QStringLiteral("é █") << QByteArray("\xC3\xA9 \xE2\x96\x88\r\n");
    QTest::newRow("hors du plan de base")
            << QStringLiteral("a😀") << QByteArray("a\xF0\x9F\x98\x80\r\n");
    // The readers skip one BOM: a text that begins with one keeps it.
    QTest::newRow("commence par un BOM")
            << QStringLiteral("\uFEFFé█")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xC3\xA9\xE2\x96\x88\r\n");
    // Its Windows-1252 bytes C3 A9 would read back as UTF-8 "é".
    QTest::newRow("octets lus en UTF-8")
            << QStringLiteral("Ã©") << QByteArray("\xC3\x83\xC2\xA9\r\n");
}

// Nothing typed is lost: the text reads back as written.
void TestFichierTexte::ecriture_utf8_si_windows1252_perd()
{
    QFETCH(QString, texte);
    QFETCH(QByteArray, octets);
    platform::ecrire_lignes(chemin(QStringLiteral("ecrit.txt")), { texte });
    QCOMPARE(lit_brut(QStringLiteral("ecrit.txt")), octets);
    QCOMPARE(platform::lire_lignes(chemin(QStringLiteral("ecrit.txt"))), QStringList{ texte });
    QCOMPARE(platform::lire_lignes_systeme(chemin(QStringLiteral("ecrit.txt"))),
             QStringList{ texte });
}

void TestFichierTexte::lecture_impossible_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("sans_droits_de_root"); // root reads any file otherwise
    QTest::addColumn<QString>("message_systeme");
    QTest::newRow("absent") << QStringLiteral("absent.txt") << false
                            << QStringLiteral("Fichier introuvable");
    QTest::newRow("dossier parent absent")
            << QStringLiteral("absent/x.txt") << false << QStringLiteral("Fichier introuvable");
    QTest::newRow("dossier") << QStringLiteral("un_dossier") << false
                             << QStringLiteral("Accès au fichier refusé");
    QTest::newRow("illisible") << QStringLiteral("illisible.txt") << true
                               << QStringLiteral("Accès au fichier refusé");
}

void TestFichierTexte::lecture_impossible()
{
    QFETCH(QString, nom);
    QFETCH(bool, sans_droits_de_root);
    QFETCH(QString, message_systeme);
    QDir(m_dossier.path()).mkdir(QStringLiteral("un_dossier"));
    ecrit_brut(QStringLiteral("illisible.txt"), "x");
    QFile::setPermissions(chemin(QStringLiteral("illisible.txt")), QFile::WriteOwner);
    std::optional<commun::SansDroitsDeRoot> sans_droits;
    if (sans_droits_de_root)
        QVERIFY2(sans_droits.emplace().ok(), "capset refused");
    try {
        platform::lire_lignes(chemin(nom));
        QFAIL("no error on an unreadable path");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), QStringLiteral("Impossible d'ouvrir le fichier ") + chemin(nom));
    }
    try {
        platform::lire_lignes_systeme(chemin(nom));
        QFAIL("no system error on an unreadable path");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), message_systeme);
    }
}

void TestFichierTexte::sauvegarde_echouee_data()
{
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("temoin");
    QTest::newRow("chemin qui est un dossier")
            << QStringLiteral("un_dossier") << QStringLiteral("un_dossier/dedans.txt");
    QTest::newRow("fichier en lecture seule")
            << QStringLiteral("lecture_seule.txt") << QStringLiteral("lecture_seule.txt");
    QTest::newRow("dossier parent absent")
            << QStringLiteral("absent/f.txt") << QStringLiteral("ancien.txt");
    QTest::newRow("parent qui est un fichier")
            << QStringLiteral("ancien.txt/f.txt") << QStringLiteral("ancien.txt");
}

void TestFichierTexte::sauvegarde_echouee()
{
    QFETCH(QString, cible);
    QFETCH(QString, temoin);
    QTemporaryDir dossier;
    const QDir racine(dossier.path());
    racine.mkdir(QStringLiteral("un_dossier"));
    for (const QString &nom :
         { QStringLiteral("un_dossier/dedans.txt"), QStringLiteral("lecture_seule.txt"),
           QStringLiteral("ancien.txt") }) {
        QFile f(racine.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ancien\r\n");
    }
    QFile::setPermissions(racine.filePath(QStringLiteral("lecture_seule.txt")),
                          QFile::ReadOwner | QFile::ReadGroup);

    try {
        platform::ecrire_lignes(racine.filePath(cible), { QStringLiteral("nouveau") });
        QFAIL("the save reported success");
    } catch (const platform::ErreurExecution &e) {
        const QString debut =
                QStringLiteral("Impossible de créer le fichier ") + racine.filePath(cible);
        QVERIFY2(e.message().startsWith(debut), qPrintable(e.message()));
    }
    QFile f(racine.filePath(temoin));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("ancien\r\n"));
    // No temporary file left behind.
    const QStringList attendus{ QStringLiteral("ancien.txt"), QStringLiteral("lecture_seule.txt"),
                                QStringLiteral("un_dossier") };
    QCOMPARE(racine.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             attendus);
    QCOMPARE(QDir(racine.filePath(QStringLiteral("un_dossier")))
                     .entryList(QDir::Files | QDir::Hidden),
             QStringList{ QStringLiteral("dedans.txt") });
}

void TestFichierTexte::chemin_relatif_data()
{
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("point antislash") << QStringLiteral(".\\machin.liste_fantrel")
                                     << QStringLiteral("/rep/machin.liste_fantrel");
    QTest::newRow("point barre") << QStringLiteral("./a/b.txt") << QStringLiteral("/rep/a/b.txt");
    QTest::newRow("sous-dossier antislash")
            << QStringLiteral(".\\a\\b.txt") << QStringLiteral("/rep/a/b.txt");
    QTest::newRow("absolu") << QStringLiteral("/ailleurs/x.txt")
                            << QStringLiteral("/ailleurs/x.txt");
    QTest::newRow("nom nu") << QStringLiteral("x.txt") << QStringLiteral("x.txt");
}

void TestFichierTexte::chemin_relatif()
{
    QFETCH(QString, valeur);
    QFETCH(QString, attendu);
    QCOMPARE(fantrel::platform::chemin_relatif(QStringLiteral("/rep"), valeur), attendu);
}

int execute_test_fichier_texte(int argc, char **argv)
{
    TestFichierTexte test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_fichier_texte.moc"

// The note table, the note tokens with their durations, rests and shifts, the
// melody line's fields and the schedule of the note clock.
#include "music/melodie.h"
#include "music/table_notes.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <limits>

using namespace fantrel;

Q_DECLARE_METATYPE(fantrel::music::Note)

class TestNotation : public QObject
{
    Q_OBJECT
private slots:
    void table_des_notes();
    void noms_exacts_data();
    void noms_exacts();
    void jeton_data();
    void jeton();
    void decalage_invalide_data();
    void decalage_invalide();
    void arrondi_pair_data();
    void arrondi_pair();
    void ligne_data();
    void ligne();
    void ligne_mal_formee_data();
    void ligne_mal_formee();
    void notes_d_une_ligne();
    void horaire_data();
    void horaire();
    void fichier_exemple();
};

void TestNotation::table_des_notes()
{
    QCOMPARE(music::noms_notes.size(), std::size_t(22));
    // Equal temperament from la2 = 440 Hz, 12 semitones an octave, naturals only:
    // every entry is that pitch rounded, except the three the table sets otherwise.
    const int demi_tons[7] = { 0, 2, 4, 5, 7, 9, 11 };
    const QStringList ecarts = { u"mi2"_qs, u"fa3"_qs, u"do4"_qs };
    for (int j = 0; j < music::nb_noms_notes; ++j) {
        const int octave = j / 7 + 1;
        const double tempere =
                440 * std::pow(2.0, ((octave - 2) * 12 + demi_tons[j % 7] - 9) / 12.0);
        const int arrondi = static_cast<int>(std::lround(tempere));
        const QString nom = music::noms_notes[j].toString();
        if (ecarts.contains(nom))
            QVERIFY2(music::frequences[j] != arrondi,
                     qPrintable(nom + u" should differ from the tempered pitch"_qs));
        else
            QCOMPARE(music::frequences[j], arrondi);
        QCOMPARE(music::indice_note(music::noms_notes[j]), j);
    }
    QCOMPARE(music::frequences[music::indice_note(u"mi2")], 329);
    QCOMPARE(music::frequences[music::indice_note(u"fa3")], 699);
    QCOMPARE(music::frequences[music::indice_note(u"do4")], 1040);
    QCOMPARE(music::noms_notes[4], QStringView(u"so1"));
    QCOMPARE(music::noms_notes[8], QStringView(u"ré2"));
}

void TestNotation::noms_exacts_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("sol en toutes lettres") << u"sol2"_qs;
    QTest::newRow("re sans accent") << u"re2"_qs;
    QTest::newRow("majuscule") << u"La2"_qs;
    QTest::newRow("octave 4 après do") << u"ré4"_qs;
    QTest::newRow("octave 0") << u"si0"_qs;
    QTest::newRow("blanc final") << u"la2 "_qs;
    QTest::newRow("vide") << QString();
}

void TestNotation::noms_exacts()
{
    QFETCH(QString, nom);
    QCOMPARE(music::indice_note(nom), -1);
}

void TestNotation::jeton_data()
{
    QTest::addColumn<QString>("jeton");
    QTest::addColumn<music::Note>("attendue");
    QTest::newRow("c vaut une durée de base") << u"cla2"_qs << music::Note{ 440, 80 };
    QTest::newRow("n vaut deux") << u"nmi3"_qs << music::Note{ 659, 160 };
    QTest::newRow("b vaut quatre") << u"bdo4"_qs << music::Note{ 1040, 320 };
    QTest::newRow("ré accentué") << u"cré1"_qs << music::Note{ 147, 80 };
    QTest::newRow("silence") << u"-"_qs << music::Note{ 0, 80 };
    QTest::newRow("silence avec une lettre") << u"b-"_qs << music::Note{ 0, 80 };
    QTest::newRow("sans lettre: une durée de base") << u"la2"_qs << music::Note{ 440, 80 };
    QTest::newRow("lettre inconnue: une durée de base") << u"xla2"_qs << music::Note{ 440, 80 };
    QTest::newRow("nom inconnu: un silence") << u"nsol2"_qs << music::Note{ 0, 80 };
    QTest::newRow("la casse compte") << u"cLa2"_qs << music::Note{ 0, 80 };
    QTest::newRow("la2 +1/2") << u"cla2(+1/2)"_qs << music::Note{ 467, 80 };
    QTest::newRow("mi2 +1/2") << u"cmi2(+1/2)"_qs << music::Note{ 339, 80 };
    QTest::newRow("si1 +1/2, 7.5 vers 8") << u"csi1(+1/2)"_qs << music::Note{ 255, 80 };
    QTest::newRow("la2 -1/2") << u"cla2(-1/2)"_qs << music::Note{ 416, 80 };
    QTest::newRow("mi2 -1/2, -17.5 vers -18") << u"cmi2(-1/2)"_qs << music::Note{ 311, 80 };
    QTest::newRow("la2 +3/4, 40.5 vers 40") << u"nla2(+3/4)"_qs << music::Note{ 480, 160 };
    QTest::newRow("la2 +1/4, 13.5 vers 14") << u"cla2(+1/4)"_qs << music::Note{ 454, 80 };
    QTest::newRow("un ton vers le haut") << u"cla2(+1)"_qs << music::Note{ 494, 80 };
    QTest::newRow("un ton vers le bas") << u"cla2(-1)"_qs << music::Note{ 392, 80 };
    QTest::newRow("deux pas vers le haut") << u"cla2(+2)"_qs << music::Note{ 548, 80 };
    QTest::newRow("sans signe: non décalée") << u"cla2(1/2)"_qs << music::Note{ 440, 80 };
    QTest::newRow("dénominateur nul: non décalée") << u"cla2(+1/0)"_qs << music::Note{ 440, 80 };
    QTest::newRow("sans parenthèse fermante") << u"cla2(+1/2"_qs << music::Note{ 467, 80 };
    QTest::newRow("do1 vers le bas prend do1-ré1") << u"cdo1(-1/2)"_qs << music::Note{ 123, 80 };
    QTest::newRow("do4 vers le haut prend si3-do4") << u"bdo4(+1/2)"_qs << music::Note{ 1066, 320 };
    QTest::newRow("décalage sur un nom nu: le nom reste")
            << u"la2(+1/2)"_qs << music::Note{ 467, 80 };
    QTest::newRow("décalage sur un silence: reste un silence") << u"-(+1/2)"_qs << music::Note{ 0, 80 };
    QTest::newRow("décalage énorme reste audible")
            << u"cla2(+100000/1)"_qs << music::Note{ music::frequence_max, 80 };
    QTest::newRow("chute énorme jamais un silence")
            << u"cdo1(-1000/1)"_qs << music::Note{ music::frequence_min, 80 };
}

void TestNotation::jeton()
{
    QFETCH(QString, jeton);
    QFETCH(music::Note, attendue);
    music::Note note{ -1, -1 };
    QVERIFY(music::analyse_jeton(jeton, music::duree_base_melodie, note));
    QCOMPARE(note.frequence, attendue.frequence);
    QCOMPARE(note.duree, attendue.duree);
}

void TestNotation::decalage_invalide_data()
{
    QTest::addColumn<QString>("jeton");
    QTest::addColumn<QString>("message");
    QTest::newRow("numérateur") << u"cla2(+a/2)"_qs
                               << u"'+a' n'est pas une valeur entière correcte"_qs;
    QTest::newRow("dénominateur") << u"cla2(+1/x)"_qs
                                 << u"'x' n'est pas une valeur entière correcte"_qs;
    QTest::newRow("tons entiers") << u"cla2(+un)"_qs
                                 << u"'+un' n'est pas une valeur entière correcte"_qs;
    QTest::newRow("vide") << u"cla2()"_qs << u"'' n'est pas une valeur entière correcte"_qs;
}

void TestNotation::decalage_invalide()
{
    QFETCH(QString, jeton);
    QFETCH(QString, message);
    music::Note note;
    try {
        music::analyse_jeton(jeton, music::duree_base_melodie, note);
        QFAIL("no error raised");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), message);
    }
}

void TestNotation::arrondi_pair_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("attendu");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("7.5") << 7.5 << 8.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("2.49") << 2.49 << 2.0;
    QTest::newRow("2.51") << 2.51 << 3.0;
    QTest::newRow("-2.51") << -2.51 << -3.0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << 0.0;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << 0.0;
}

void TestNotation::arrondi_pair()
{
    QFETCH(double, x);
    QFETCH(double, attendu);
    QCOMPARE(fantrel::music::arrondi_pair(x), attendu);
}

void TestNotation::ligne_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<int>("rythme");
    QTest::addColumn<QString>("notes");
    QTest::newRow("exemple") << u"gamme,150,cdo2 cré2"_qs << 150 << u"cdo2 cré2 "_qs;
    QTest::newRow("blanc gardé") << u"x,300,cla2 - "_qs << 300 << u"cla2 - "_qs;
    QTest::newRow("modulo 65536") << u"x,65537,cla2"_qs << 1 << u"cla2 "_qs;
    QTest::newRow("négatif replié") << u"x,-1,cla2"_qs << 65535 << u"cla2 "_qs;
    QTest::newRow("virgules après le rythme: des notes")
            << u"x,100,cla2,cdo2"_qs << 100 << u"cla2,cdo2 "_qs;
}

void TestNotation::ligne()
{
    QFETCH(QString, ligne);
    QFETCH(int, rythme);
    QFETCH(QString, notes);
    const music::PartiesMelodie parties = music::separe_rythme(music::sans_nom(ligne));
    QCOMPARE(int(parties.rythme), rythme);
    QCOMPARE(parties.notes, notes);
}

void TestNotation::ligne_mal_formee_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("message");
    const QString pas_entier = u"'%1' n'est pas une valeur entière correcte"_qs;
    QTest::newRow("ligne vide") << QString() << pas_entier.arg(QString());
    QTest::newRow("sans virgule") << u"cla2 cdo2"_qs << pas_entier.arg(QString());
    QTest::newRow("rien qu'un nom") << u"gamme,cla2"_qs << pas_entier.arg(QString());
    QTest::newRow("rythme non numérique") << u"x,1x0,cla2"_qs << pas_entier.arg(u"1x0"_qs);
    QTest::newRow("rythme 0") << u"x,0,cla2"_qs << u"Rythme nul"_qs;
    QTest::newRow("rythme 65536") << u"x,65536,cla2"_qs << u"Rythme nul"_qs;
    QTest::newRow("partie des notes vide") << u"x,150,"_qs << u"Mélodie vide"_qs;
    QTest::newRow("partie des notes blanche") << u"x,150,   "_qs << u"Mélodie vide"_qs;
}

void TestNotation::ligne_mal_formee()
{
    QFETCH(QString, ligne);
    QFETCH(QString, message);
    try {
        music::separe_rythme(music::sans_nom(ligne));
        QFAIL("no error raised");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), message);
    }
}

void TestNotation::notes_d_une_ligne()
{
    const music::PartiesMelodie parties = music::separe_rythme(
            music::sans_nom(u"gamme,150,cdo2 cré2 cmi2 - cfa2  cso2 cla2 csi2 bdo3"_qs));
    const QVector<music::Note> notes = music::analyse_notes(parties.notes);
    // The double blank gives no entry.
    const QVector<music::Note> attendues = { { 262, 80 }, { 294, 80 }, { 329, 80 },
                                             { 0, 80 },   { 349, 80 }, { 392, 80 },
                                             { 440, 80 }, { 494, 80 }, { 523, 320 } };
    QCOMPARE(notes, attendues);
}

void TestNotation::horaire_data()
{
    QTest::addColumn<QVector<music::Note>>("notes");
    QTest::addColumn<int>("rythme");
    QTest::addColumn<QVector<qint64>>("attendu");
    const music::Note c{ 440, 80 }, n{ 440, 160 }, b{ 440, 320 }, silence{ 0, 80 };
    QTest::newRow("rythme 100: les notes longues repoussent le tic suivant")
            << QVector<music::Note>{ c, n, silence, b } << 100
            << QVector<qint64>{ 100, 200, 460, 560, 980 };
    QTest::newRow("rythme 300: toutes les 300 ms") << QVector<music::Note>{ c, n, b, silence } << 300
                                              << QVector<qint64>{ 300, 600, 900, 1520, 1820 };
    QTest::newRow("note aussi longue que le rythme")
            << QVector<music::Note>{ n, c } << 160 << QVector<qint64>{ 160, 480, 640 };
    QTest::newRow("aucune note: boutons après un rythme")
            << QVector<music::Note>{} << 250 << QVector<qint64>{ 250 };
}

void TestNotation::horaire()
{
    QFETCH(QVector<music::Note>, notes);
    QFETCH(int, rythme);
    QFETCH(QVector<qint64>, attendu);
    QCOMPARE(music::horaire_notes(notes, rythme), attendu);
}

void TestNotation::fichier_exemple()
{
    // The sample list: Windows-1252 with CR LF, and every token a note of the table
    // or a rest, since a misspelt name would silently play as a rest.
    const QString source = qEnvironmentVariable(
            "FANTREL_SOURCE", QFileInfo(QStringLiteral(__FILE__)).dir().filePath(u"../.."_qs));
    QFile fichier(QDir(source).filePath(u"exemple/melodies.mus"_qs));
    QVERIFY2(fichier.open(QIODevice::ReadOnly), qPrintable(fichier.fileName()));
    const QByteArray octets = fichier.readAll();
    QVERIFY(octets.endsWith("\r\n"));
    QCOMPARE(octets.count('\n'), octets.count("\r\n"));
    QCOMPARE(octets.count('\r'), octets.count("\r\n"));
    const QStringList lignes = platform::decoupe_lignes(platform::decode_windows1252(octets));
    QVERIFY(lignes.size() >= 12);
    for (const QString &ligne : lignes) {
        const music::PartiesMelodie parties = music::separe_rythme(music::sans_nom(ligne));
        const QStringList jetons = parties.notes.trimmed().split(u' ');
        QVERIFY2(jetons.size() >= 20, qPrintable(ligne));
        for (const QString &jeton : jetons)
            QVERIFY2(jeton == u"-" || (jeton.size() == 4 && music::est_note_sans_decalage(jeton)),
                     qPrintable(ligne.section(u',', 0, 0) + u": "_qs + jeton));
    }
}

QTEST_APPLESS_MAIN(TestNotation)
#include "test_notation.moc"

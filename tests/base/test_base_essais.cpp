// The trial database without any window: every kind of trial through every column,
// the schema's migration, a session's chronology and the recovery query.
#include "essais_exemples.h"
#include "base/base_essais.h"
#include "base/chronologie.h"
#include "base/dialecte_sqlite.h"
#include "base/schema_base.h"
#include <QSqlError>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using namespace fantrel::base;

Q_DECLARE_METATYPE(fantrel::base::Essai)
Q_DECLARE_METATYPE(QVector<fantrel::base::ElementChronologie>)
Q_DECLARE_METATYPE(fantrel::base::NatureErreurBase)

namespace {

// A connection of the test's own, to look at the file as any program would.
class Regard
{
public:
    explicit Regard(const QString &chemin)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nom);
        db.setDatabaseName(chemin);
        db.open();
    }
    ~Regard()
    {
        QSqlDatabase::database(m_nom, false).close();
        QSqlDatabase::removeDatabase(m_nom);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_nom, false); }
    QSqlRecord rangee(const QString &sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql) || !q.next())
            return QSqlRecord();
        return q.record();
    }

private:
    QString m_nom = QStringLiteral("regard");
};

QStringList champs_nuls(const QSqlRecord &r)
{
    QStringList nuls;
    for (int i = 0; i < r.count(); ++i)
        if (r.isNull(i))
            nuls << r.fieldName(i);
    nuls.sort(); // a table's column order follows the steps that added them
    return nuls;
}

QString nom_element(const ElementChronologie &element)
{
    if (const auto *essai = std::get_if<Essai>(&element))
        return QStringLiteral("essai %1").arg(essai->numero);
    const auto &e = std::get<Evenement>(element);
    return texte_nature(e.nature) + (e.nom.isEmpty() ? QString() : QLatin1Char(' ') + e.nom);
}

QStringList noms(const QVector<ElementChronologie> &elements)
{
    QStringList n;
    for (const ElementChronologie &e : elements)
        n << nom_element(e);
    return n;
}

// A session with its trials and events, each given its order as the recorder does.
qint64 ecrit_seance(BaseEssais &base, const QString &poste,
                    const QVector<ElementChronologie> &elements)
{
    const qint64 seance = base.insere_seance(exemples::seance_exemple("/travail", poste));
    qint64 ordre = 0;
    for (ElementChronologie element : elements) {
        std::visit(
                [&](auto &e) {
                    e.seance = seance;
                    e.ordre = ++ordre;
                },
                element);
        if (auto *essai = std::get_if<Essai>(&element))
            base.insere_essai(*essai);
        else
            base.insere_evenement(std::get<Evenement>(element));
    }
    return seance;
}

} // namespace

class TestBaseEssais : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void insertion_data();
    void insertion();
    void seance_relue();
    void colonnes_de_la_table();
    void migration_data();
    void migration();
    void version_plus_recente_laissee_intacte();
    void chronologie_d_une_seance();
    void reprise_data();
    void reprise();
    void reprise_d_une_seance_deja_reprise();
    void codes_etendus_data();
    void codes_etendus();

private:
    QString chemin() const { return m_dossier->filePath(QStringLiteral("fantrel.sqlite")); }
    std::unique_ptr<QTemporaryDir> m_dossier;
};

// Each case in a folder of its own.
void TestBaseEssais::init()
{
    m_dossier = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dossier->isValid());
}

void TestBaseEssais::insertion_data()
{
    QTest::addColumn<Essai>("essai");
    QTest::addColumn<QStringList>("nuls"); // columns stored as NULL
    // Written straight into the base: no participant, no UUID (the recorder gives those).
    const QStringList sans_identite = { "participant", "uuid" };
    // Columns of a threshold run and of early keys, none in these examples.
    const QStringList seuil = { "touches_anticipees", "niveau_images", "niveau_ms",
                                "seuil_images", "seuil_ms" };
    const QStringList son = QStringList{ "debut_son_ms", "latence_sortie_ms", "debuts_notes" }
            + sans_identite + seuil;
    const QStringList sans_musique = QStringList{ "phases_mesurees_ms", "melodie", "decalage",
                                                  "incongru", "place_incongruite" }
            + son;
    QTest::newRow("premier paradigme, boutons") << exemples::essai_boutons() << sans_musique;
    QTest::newRow("je ne sais pas")
            << exemples::essai_je_ne_sais_pas()
            << QStringList{ "reponse", "categorie",       "correct",       "phases_mesurees_ms",
                            "melodie", "decalage",        "incongru",      "place_incongruite",
                            "images",  "images_manquees", "ligne_resultat" }
                    + son + QStringList{ "images_prevues", "horodatage_douteux" };
    QTest::newRow("saisie libre") << exemples::essai_saisie() << sans_musique;
    QTest::newRow("second paradigme, quatre phases")
            << exemples::essai_morbelle()
            << QStringList{ "melodie", "decalage", "incongru", "place_incongruite" } + son;
    QTest::newRow("mélodie") << exemples::essai_melodie()
                             << QStringList{ "mot1",
                                             "mot2",
                                             "connote",
                                             "mot_affiche",
                                             "proposition_gauche",
                                             "proposition_droite",
                                             "exposition_ms",
                                             "exposition_mesuree_ms",
                                             "phases_mesurees_ms",
                                             "images",
                                             "images_manquees",
                                             "ligne_resultat",
                                             "images_prevues",
                                             "horodatage_douteux" }
                                     + sans_identite + seuil;
}

void TestBaseEssais::insertion()
{
    QFETCH(Essai, essai);
    QFETCH(QStringList, nuls);
    qint64 id = 0;
    {
        BaseEssais base(chemin());
        essai.seance = base.insere_seance(exemples::seance_exemple(m_dossier->path()));
        essai.ordre = 7;
        id = base.insere_essai(essai);
    }
    BaseEssais relue(chemin());
    const QVector<Essai> essais = relue.essais();
    QCOMPARE(essais.size(), 1);
    essai.id = id;
    QCOMPARE(essais.first(), essai);

    Regard regard(chemin());
    const QSqlRecord r = regard.rangee(QStringLiteral("SELECT * FROM essais"));
    QStringList nuls_tries = nuls;
    nuls_tries << QStringLiteral("envoye"); // not on a lab server yet
    nuls_tries.sort();
    QCOMPARE(champs_nuls(r), nuls_tries);
    QCOMPARE(r.value("debut_utc").toString(), essai.debut_utc.toString(Qt::ISODateWithMs));
    QVERIFY(r.value("debut_utc").toString().endsWith(QLatin1Char('Z')));
    if (essai.phases_mesurees_ms)
        QCOMPARE(r.value("phases_mesurees_ms").toString(),
                 QStringLiteral("66.71/33.38/33.29/66.7"));
    QCOMPARE(r.value("test").toString(), texte_test(essai.test));
}

void TestBaseEssais::seance_relue()
{
    Seance s = exemples::seance_exemple(QStringLiteral("/données/labo, salle 2"));
    Seance sans_ecran = s;
    sans_ecran.rafraichissement_hz.reset();
    BaseEssais base(chemin());
    s.id = base.insere_seance(s);
    sans_ecran.id = base.insere_seance(sans_ecran);
    for (const Seance &attendue : { s, sans_ecran }) {
        const std::optional<Seance> lue = base.seance(attendue.id);
        QVERIFY(lue);
        QCOMPARE(lue->parametres, attendue.parametres);
        QCOMPARE(lue->parametres.size(), 17);
        QCOMPARE(lue->rafraichissement_hz, attendue.rafraichissement_hz);
        QCOMPARE(lue->debut_utc, attendue.debut_utc);
        QCOMPARE(lue->repertoire, attendue.repertoire);
        QCOMPARE(lue->priorite_minuteur, attendue.priorite_minuteur);
    }
}

// The table made by the schema's steps and the columns the program writes and exports
// must not drift apart (as sets: the columns' order follows the steps that added them,
// and nothing reads them by position).
void TestBaseEssais::colonnes_de_la_table()
{
    {
        BaseEssais base(chemin());
    }
    Regard regard(chemin());
    QStringList table;
    const QSqlRecord r = regard.db().record(QStringLiteral("essais"));
    for (int i = 0; i < r.count(); ++i)
        table << r.fieldName(i);
    QStringList attendues = colonnes_essais();
    attendues.insert(2, QStringLiteral("ordre"));
    attendues << QStringLiteral("uuid") << QStringLiteral("envoye");
    table.sort();
    attendues.sort();
    QCOMPARE(table, attendues);
}

void TestBaseEssais::migration_data()
{
    QTest::addColumn<int>("depart"); // -1: no file at all
    QTest::addColumn<bool>("etape_en_echec");
    QTest::addColumn<int>("version_finale");
    QTest::newRow("pas de fichier") << -1 << false << 7;
    QTest::newRow("fichier vide") << 0 << false << 7;
    QTest::newRow("version 1 avec ses essais") << 1 << false << 7;
    QTest::newRow("version 2 avec ses essais") << 2 << false << 7;
    QTest::newRow("version 4 avec ses essais") << 4 << false << 7;
    QTest::newRow("version 5 avec ses essais") << 5 << false << 7;
    QTest::newRow("version du programme avec ses essais") << 6 << false << 7;
    QTest::newRow("déjà à jour") << 7 << false << 7;
    QTest::newRow("étape 7 en échec") << 6 << true << 6;
    QTest::newRow("version 1, étape 7 en échec") << 1 << true << 6;
}

// The program's steps followed by a step 7 of the test's own: a file of any older
// version reaches the last one and keeps its trials; a failing step changes nothing
// (the steps before it stay done).
void TestBaseEssais::migration()
{
    QFETCH(int, depart);
    QFETCH(bool, etape_en_echec);
    QFETCH(int, version_finale);
    QCOMPARE(version_schema_programme(), 6);
    if (depart == 0) {
        QFile vide(chemin());
        QVERIFY(vide.open(QIODevice::WriteOnly));
    }
    if (depart >= 1 && depart <= 5) {
        // A file of an older version, written as that program wrote it.
        Regard regard(chemin());
        QSqlDatabase db = regard.db();
        migre_schema(db, dialecte_sqlite(), etapes_schema(dialecte_sqlite()).mid(0, depart),
                     chemin());
        for (const char *sql :
             { "INSERT INTO seances (id, debut_utc) VALUES (1, '2024-01-01T00:00:00.000Z')",
               "INSERT INTO essais (seance, ordre, debut_utc, utilisateur, test, mot1)"
               " VALUES (1, 1, '2024-01-01T00:00:01.000Z', 1, 'korvane', 'cœur')" })
            QVERIFY(QSqlQuery(db).exec(QString::fromUtf8(sql)));
    }
    if (depart >= 6) {
        BaseEssais base(chemin());
        Essai e = exemples::essai_saisie();
        e.seance = base.insere_seance(exemples::seance_exemple(m_dossier->path()));
        base.insere_essai(e);
    }
    QVector<EtapeSchema> etapes = etapes_schema(dialecte_sqlite());
    etapes << EtapeSchema{ { QStringLiteral("ALTER TABLE essais ADD COLUMN lunettes INTEGER"),
                             QStringLiteral("UPDATE essais SET lunettes = 1") } };
    if (etape_en_echec)
        etapes.last().instructions << QStringLiteral("INSERT INTO table_absente VALUES (1)");
    Regard regard(chemin());
    QSqlDatabase db = regard.db();
    if (depart == 7)
        migre_schema(db, dialecte_sqlite(), etapes, chemin()); // at the last version before the test's own call
    try {
        migre_schema(db, dialecte_sqlite(), etapes, chemin());
        QVERIFY2(!etape_en_echec, "l'étape en échec aurait dû lever une erreur");
    } catch (const ErreurBase &e) {
        QVERIFY2(etape_en_echec, qPrintable(e.message()));
    }
    QCOMPARE(dialecte_sqlite().version_schema(db, chemin()), version_finale);
    const QSqlRecord table = db.record(QStringLiteral("essais"));
    QCOMPARE(table.contains(QStringLiteral("lunettes")), version_finale == 7);
    QCOMPARE(table.contains(QStringLiteral("debuts_notes")), version_finale >= 2);
    QCOMPARE(table.contains(QStringLiteral("participant")), version_finale >= 3);
    QCOMPARE(db.tables().contains(QStringLiteral("participants")), version_finale >= 3);
    QCOMPARE(table.contains(QStringLiteral("images_prevues")), version_finale >= 4);
    QCOMPARE(db.tables().contains(QStringLiteral("verifications")), version_finale >= 4);
    QCOMPARE(table.contains(QStringLiteral("niveau_images")), version_finale >= 5);
    QCOMPARE(table.contains(QStringLiteral("envoye")), version_finale >= 6);
    if (depart >= 1) {
        const QSqlRecord r = regard.rangee(QStringLiteral("SELECT * FROM essais"));
        QCOMPARE(r.value("mot1").toString(), QStringLiteral("cœur"));
        QVERIFY(r.value("debut_son_ms").isNull());
        if (version_finale == 7)
            QCOMPARE(r.value("lunettes").toInt(), 1);
    }
}

void TestBaseEssais::version_plus_recente_laissee_intacte()
{
    {
        BaseEssais base(chemin());
        base.insere_seance(exemples::seance_exemple(m_dossier->path()));
    }
    {
        Regard regard(chemin());
        QSqlDatabase db = regard.db();
        dialecte_sqlite().pose_version_schema(db, 9, chemin());
    }
    QFile fichier(chemin());
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray avant = fichier.readAll();
    fichier.close();
    try {
        BaseEssais base(chemin());
        QFAIL("une base de version 9 ne doit pas s'ouvrir");
    } catch (const ErreurBase &e) {
        QCOMPARE(e.nature(), NatureErreurBase::version);
        QVERIFY2(e.message().contains("version plus récente"), qPrintable(e.message()));
    }
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(), avant);
}

void TestBaseEssais::chronologie_d_une_seance()
{
    BaseEssais base(chemin());
    Essai e1 = exemples::essai_boutons(1), e2 = exemples::essai_saisie(),
          e3 = exemples::essai_melodie();
    e2.numero = 2;
    e3.numero = 3;
    const QStringList lignes = { "Jules", "Mot affiché=a prop=$a b répondu=a", "" };
    const qint64 seance = ecrit_seance(
            base, "poste-1",
            { Evenement::nouvel_utilisateur(1, "Essai1"), Evenement::renommage(1, "Zoé"), e1,
              Evenement::nouvel_utilisateur(2, "Essai2"), e2, Evenement::tout_effacer(),
              Evenement::lecture_fichier("/travail/anciens, « bis ».res", lignes), e3,
              Evenement::enregistrement_fichier("/travail/zoé.res"), Evenement::fin() });
    const QVector<ElementChronologie> lue = chronologie(base, seance);
    QCOMPARE(noms(lue),
             (QStringList{ "nouvel_utilisateur Essai1", "renommage Zoé", "essai 1",
                           "nouvel_utilisateur Essai2", "essai 2", "tout_effacer",
                           "lecture_fichier", "essai 3", "enregistrement_fichier", "fin" }));
    const auto &renommage = std::get<Evenement>(lue[1]);
    QCOMPARE(renommage.utilisateur, 1);
    const auto &lecture = std::get<Evenement>(lue[6]);
    QCOMPARE(lecture.lignes, lignes);
    QCOMPARE(lecture.fichier, QStringLiteral("/travail/anciens, « bis ».res"));
    QCOMPARE(std::get<Essai>(lue[4]).reponse, e2.reponse);
    QCOMPARE(std::get<Essai>(lue[7]).test, TestEssai::musique);
    QCOMPARE(std::get<Evenement>(lue[8]).fichier, QStringLiteral("/travail/zoé.res"));
    for (qsizetype i = 0; i < lue.size(); ++i)
        QCOMPARE(std::visit([](const auto &e) { return e.ordre; }, lue[i]), i + 1);
}

void TestBaseEssais::reprise_data()
{
    QTest::addColumn<QVector<ElementChronologie>>("elements");
    QTest::addColumn<int>("non_enregistres"); // 0: nothing to offer
    const Essai e1 = exemples::essai_boutons(1), e2 = exemples::essai_boutons(2);
    const Evenement sauve = Evenement::enregistrement_fichier("/t/a.res");
    QTest::newRow("enregistrée après son dernier essai")
            << QVector<ElementChronologie>{ e1, e2, sauve, Evenement::renommage(1, "x") } << 0;
    QTest::newRow("quittée proprement sans enregistrer")
            << QVector<ElementChronologie>{ e1, e2, Evenement::fin() } << 0;
    QTest::newRow("ni l'un ni l'autre")
            << QVector<ElementChronologie>{ Evenement::nouvel_utilisateur(1, "Essai1"), e1, e2 }
            << 2;
    QTest::newRow("essai après l'enregistrement")
            << QVector<ElementChronologie>{ e1, sauve, e2 } << 1;
    QTest::newRow("aucun essai répondu")
            << QVector<ElementChronologie>{ Evenement::nouvel_utilisateur(1, "Essai1") } << 0;
}

void TestBaseEssais::reprise()
{
    QFETCH(QVector<ElementChronologie>, elements);
    QFETCH(int, non_enregistres);
    BaseEssais base(chemin());
    // Older sessions, another station's later one, and a start cut short after it.
    ecrit_seance(base, "poste-1", { exemples::essai_boutons(9) });
    const qint64 seance = ecrit_seance(base, "poste-1", elements);
    ecrit_seance(base, "poste-2", { exemples::essai_boutons(8) });
    base.insere_seance(exemples::seance_exemple("/travail", "poste-1"));

    const std::optional<SeanceAReprendre> r = seance_a_reprendre(base, "poste-1", "/travail");
    QCOMPARE(r.has_value(), non_enregistres > 0);
    if (!r)
        return;
    QCOMPARE(r->seance.id, seance);
    QCOMPARE(r->essais_non_enregistres, non_enregistres);
    QCOMPARE(noms(r->chronologie), noms(elements));
    QVERIFY(!seance_a_reprendre(base, "poste-1", "/ailleurs"));
}

// A session replayed into the next one, which is lost in turn: the next start offers
// the second, with the first's chronology in place of the "reprise" event.
void TestBaseEssais::reprise_d_une_seance_deja_reprise()
{
    BaseEssais base(chemin());
    const qint64 premiere = ecrit_seance(
            base, "poste-1", { Evenement::nouvel_utilisateur(1, "A"), exemples::essai_boutons(1) });
    const qint64 seconde =
            ecrit_seance(base, "poste-1",
                         { Evenement::reprise(premiere), Evenement::renommage(1, "B"),
                           exemples::essai_boutons(2) });
    const std::optional<SeanceAReprendre> r = seance_a_reprendre(base, "poste-1", "/travail");
    QVERIFY(r);
    QCOMPARE(r->seance.id, seconde);
    QCOMPARE(noms(r->chronologie),
             (QStringList{ "nouvel_utilisateur A", "essai 1", "renommage B", "essai 2" }));
    QCOMPARE(r->essais_non_enregistres, 2);
    // A session that names itself (a damaged history) is not followed forever.
    ecrit_seance(base, "poste-1", { Evenement::reprise(seconde + 1), exemples::essai_boutons(3) });
    QCOMPARE(noms(seance_a_reprendre(base, "poste-1", "/travail")->chronologie),
             QStringList{ "essai 3" });
}

void TestBaseEssais::codes_etendus_data()
{
    QTest::addColumn<QString>("code"); // as Qt's driver reports it
    QTest::addColumn<NatureErreurBase>("nature");
    QTest::newRow("5 occupée") << "5" << NatureErreurBase::verrou;
    QTest::newRow("517 occupée, instantané périmé") << "517" << NatureErreurBase::verrou;
    QTest::newRow("262 verrouillée, table") << "262" << NatureErreurBase::verrou;
    QTest::newRow("1032 lecture seule, base déplacée") << "1032" << NatureErreurBase::lecture_seule;
    QTest::newRow("13 disque plein") << "13" << NatureErreurBase::disque_plein;
    QTest::newRow("267 corrompue, table virtuelle") << "267" << NatureErreurBase::corrompue;
    QTest::newRow("778 écriture impossible") << "778" << NatureErreurBase::autre;
    QTest::newRow("2067 contrainte d'unicité") << "2067" << NatureErreurBase::autre;
}

// SQLite's extended codes carry the primary one in their low byte: a busy base is a
// lock whatever the detail, and a disc error says so.
void TestBaseEssais::codes_etendus()
{
    QFETCH(QString, code);
    QFETCH(NatureErreurBase, nature);
    const ErreurBase e = dialecte_sqlite().erreur_sql(
            QSqlError(QStringLiteral("pilote"), QStringLiteral("texte"),
                      QSqlError::StatementError, code),
            chemin());
    QCOMPARE(e.nature(), nature);
    if (code == QLatin1String("778"))
        QVERIFY2(e.message().contains(QStringLiteral("entrée-sortie")), qPrintable(e.message()));
}

QTEST_GUILESS_MAIN(TestBaseEssais)
#include "test_base_essais.moc"

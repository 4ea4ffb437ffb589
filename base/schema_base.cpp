#include "base/schema_base.h"
#include <QSqlError>
#include <array>

namespace fantrel::base {

namespace {

// Version 1: sessions, their trials and the events replayed with them.
EtapeSchema etape_1(const Dialecte &dialecte)
{
    const QString cle = dialecte.type_cle_auto();
    return { {
            QStringLiteral("CREATE TABLE seances ("
                           " id %1, debut_utc TEXT NOT NULL, version_programme TEXT,"
                           " repertoire TEXT, poste TEXT, parametres TEXT,"
                           " rafraichissement_hz DOUBLE PRECISION, priorite_minuteur TEXT)")
                    .arg(cle),
            QStringLiteral("CREATE TABLE essais ("
                           " id %1, seance INTEGER NOT NULL REFERENCES seances (id),"
                           " ordre INTEGER NOT NULL, debut_utc TEXT NOT NULL,"
                           " utilisateur INTEGER NOT NULL, nom_utilisateur TEXT,"
                           " test TEXT NOT NULL, numero INTEGER, mot1 TEXT, mot2 TEXT,"
                           " connote INTEGER, mot_affiche TEXT, proposition_gauche TEXT,"
                           " proposition_droite TEXT, reponse TEXT, mode_reponse TEXT,"
                           " categorie INTEGER, correct INTEGER, exposition_ms INTEGER,"
                           " exposition_mesuree_ms DOUBLE PRECISION, phases_mesurees_ms TEXT,"
                           " temps_reponse_ms DOUBLE PRECISION, melodie TEXT, decalage TEXT,"
                           " incongru INTEGER, place_incongruite INTEGER, images INTEGER,"
                           " images_manquees INTEGER, ligne_resultat TEXT)")
                    .arg(cle),
            QStringLiteral("CREATE INDEX essais_par_seance ON essais (seance, ordre)"),
            QStringLiteral("CREATE TABLE evenements ("
                           " id %1, seance INTEGER NOT NULL REFERENCES seances (id),"
                           " ordre INTEGER NOT NULL, moment_utc TEXT NOT NULL,"
                           " nature TEXT NOT NULL, utilisateur INTEGER, nom TEXT,"
                           " fichier TEXT, lignes TEXT, seance_reprise INTEGER)")
                    .arg(cle),
            QStringLiteral("CREATE INDEX evenements_par_seance ON evenements (seance, ordre)"),
    } };
}

// Version 2: what a melody's stream was (its first sample's latency, each note's onset).
EtapeSchema etape_2(const Dialecte &)
{
    return { {
            QStringLiteral("ALTER TABLE essais ADD COLUMN debut_son_ms DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN latence_sortie_ms DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN debuts_notes TEXT"),
    } };
}

// Version 3: identities that merge across stations and files (UUIDs of sessions,
// trials, events and participants), the participants, what a session needs to be
// replayed and compared (station, version, seed, settings' fingerprint, recovery).
// NOTE: rows written before it keep a NULL uuid.
EtapeSchema etape_3(const Dialecte &)
{
    return { {
            QStringLiteral("ALTER TABLE seances ADD COLUMN uuid TEXT"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN station TEXT"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN version TEXT"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN graine TEXT"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN empreinte_reglages TEXT"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN reprise_de TEXT"),
            QStringLiteral("CREATE UNIQUE INDEX seances_uuid ON seances (uuid)"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN participant TEXT"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN uuid TEXT"),
            QStringLiteral("CREATE UNIQUE INDEX essais_uuid ON essais (uuid)"),
            QStringLiteral("ALTER TABLE evenements ADD COLUMN uuid TEXT"),
            QStringLiteral("ALTER TABLE evenements ADD COLUMN participant TEXT"),
            QStringLiteral("CREATE UNIQUE INDEX evenements_uuid ON evenements (uuid)"),
            QStringLiteral("CREATE TABLE participants ("
                           " uuid TEXT PRIMARY KEY, code TEXT,"
                           " seance INTEGER REFERENCES seances (id), station TEXT,"
                           " cree_utc TEXT NOT NULL, age INTEGER, genre TEXT, lateralite TEXT,"
                           " groupe TEXT, consentement TEXT, remarque TEXT, source TEXT)"),
    } };
}

// Version 4: planned against presented frames, stamps not to be trusted, how the
// session's frames were stamped, and the display checks' flashes.
EtapeSchema etape_4(const Dialecte &dialecte)
{
    return { {
            QStringLiteral("ALTER TABLE essais ADD COLUMN images_prevues INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN horodatage_douteux INTEGER"),
            QStringLiteral("ALTER TABLE seances ADD COLUMN methode_horodatage TEXT"),
            QStringLiteral("CREATE TABLE verifications ("
                           " id %1, seance INTEGER NOT NULL REFERENCES seances (id),"
                           " verification INTEGER NOT NULL, debut_utc TEXT NOT NULL,"
                           " test TEXT, numero INTEGER NOT NULL, mot TEXT,"
                           " exposition_ms INTEGER, images_prevues INTEGER, images INTEGER,"
                           " images_manquees INTEGER, exposition_prevue_ms DOUBLE PRECISION,"
                           " exposition_mesuree_ms DOUBLE PRECISION,"
                           " horodatage_douteux INTEGER, verdict TEXT)")
                    .arg(dialecte.type_cle_auto()),
            QStringLiteral("CREATE INDEX verifications_par_seance"
                           " ON verifications (seance, verification, numero)"),
    } };
}

// Version 5: answer keys pressed too early, and a threshold run's level and estimate.
EtapeSchema etape_5(const Dialecte &)
{
    return { {
            QStringLiteral("ALTER TABLE essais ADD COLUMN touches_anticipees INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN niveau_images INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN niveau_ms DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN seuil_images DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN seuil_ms DOUBLE PRECISION"),
    } };
}

// Version 6: what the lab server already holds (the station's own marks, NULL on the
// server): a row whose mark is NULL waits to be sent; a session or participant changed
// after it was sent loses its mark.
EtapeSchema etape_6(const Dialecte &)
{
    return { {
            QStringLiteral("ALTER TABLE seances ADD COLUMN envoye INTEGER"),
            QStringLiteral("ALTER TABLE participants ADD COLUMN envoye INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN envoye INTEGER"),
            QStringLiteral("ALTER TABLE evenements ADD COLUMN envoye INTEGER"),
            QStringLiteral("ALTER TABLE verifications ADD COLUMN envoye INTEGER"),
            QStringLiteral("CREATE INDEX essais_a_envoyer ON essais (id) WHERE envoye IS NULL"),
            QStringLiteral("CREATE INDEX evenements_a_envoyer ON evenements (id)"
                           " WHERE envoye IS NULL"),
    } };
}

// Each step as the dialect words it, in order.
constexpr std::array etapes_par_dialecte = { &etape_1, &etape_2, &etape_3,
                                             &etape_4, &etape_5, &etape_6 };

void execute_etape(QSqlDatabase &db, const Dialecte &dialecte, const EtapeSchema &etape,
                   int version, const QString &cible)
{
    en_transaction(db, dialecte, cible, [&] {
        // Read again under the transaction: another program may have migrated first.
        if (dialecte.version_schema(db, cible) >= version)
            return false;
        for (const QString &instruction : etape.instructions)
            execute_sql(db, dialecte, instruction, cible);
        dialecte.pose_version_schema(db, version, cible);
        return true;
    }, true);
}

} // namespace

QVector<EtapeSchema> etapes_schema(const Dialecte &dialecte)
{
    QVector<EtapeSchema> etapes_du_dialecte;
    for (const auto etape : etapes_par_dialecte)
        etapes_du_dialecte << etape(dialecte);
    return etapes_du_dialecte;
}

int version_schema_programme()
{
    return int(etapes_par_dialecte.size());
}

void migre_schema(QSqlDatabase &db, const Dialecte &dialecte, const QVector<EtapeSchema> &etapes,
                  const QString &cible)
{
    const int version = dialecte.version_schema(db, cible);
    if (version > etapes.size())
        throw erreur_base(NatureErreurBase::version, cible);
    for (int v = version + 1; v <= etapes.size(); ++v)
        execute_etape(db, dialecte, etapes[v - 1], v, cible);
}

const QStringList &colonnes_essais()
{
    static const QStringList colonnes = {
        "id",
        "seance",
        "debut_utc",
        "utilisateur",
        "nom_utilisateur",
        "test",
        "numero",
        "mot1",
        "mot2",
        "connote",
        "mot_affiche",
        "proposition_gauche",
        "proposition_droite",
        "reponse",
        "mode_reponse",
        "categorie",
        "correct",
        "exposition_ms",
        "exposition_mesuree_ms",
        "phases_mesurees_ms",
        "temps_reponse_ms",
        "melodie",
        "decalage",
        "incongru",
        "place_incongruite",
        "images",
        "images_manquees",
        "ligne_resultat",
        "debut_son_ms",
        "latence_sortie_ms",
        "debuts_notes",
        "images_prevues",
        "horodatage_douteux",
        "touches_anticipees",
        "niveau_images",
        "niveau_ms",
        "seuil_images",
        "seuil_ms",
        "participant",
    };
    return colonnes;
}

const QStringList &colonnes_participants()
{
    static const QStringList colonnes = { "uuid",   "code",       "seance",       "station",
                                          "cree_utc", "age",      "genre",        "lateralite",
                                          "groupe", "consentement", "remarque",   "source" };
    return colonnes;
}

const QStringList &colonnes_verifications()
{
    static const QStringList colonnes = { "seance",        "verification",
                                          "debut_utc",     "test",
                                          "numero",        "mot",
                                          "exposition_ms", "images_prevues",
                                          "images",        "images_manquees",
                                          "exposition_prevue_ms", "exposition_mesuree_ms",
                                          "horodatage_douteux",   "verdict" };
    return colonnes;
}

QStringList colonnes_csv()
{
    return colonnes_essais() + colonnes_jointes_csv();
}

const QStringList &colonnes_jointes_csv()
{
    static const QStringList colonnes = { "seance_uuid", "code_participant", "station" };
    return colonnes;
}

const QStringList &colonnes_evenements()
{
    static const QStringList colonnes = { "id",     "seance",        "ordre", "moment_utc",
                                          "nature", "utilisateur",   "nom",   "fichier",
                                          "lignes", "seance_reprise", "uuid", "participant" };
    return colonnes;
}

const QStringList &colonnes_seances()
{
    static const QStringList colonnes = {
        "id",    "debut_utc",  "version_programme",   "repertoire",
        "poste", "parametres", "rafraichissement_hz", "priorite_minuteur",
        "uuid",  "station",    "version",             "graine",
        "empreinte_reglages",  "reprise_de", "methode_horodatage"
    };
    return colonnes;
}

QString marques(qsizetype n)
{
    QStringList m;
    for (qsizetype i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QString insertion(const QString &table, const QStringList &colonnes)
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, colonnes.join(QStringLiteral(", ")), marques(colonnes.size()));
}

} // namespace fantrel::base

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

// Version 3: answer keys pressed too early, and a threshold run's level and estimate.
EtapeSchema etape_3(const Dialecte &)
{
    return { {
            QStringLiteral("ALTER TABLE essais ADD COLUMN touches_anticipees INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN niveau_images INTEGER"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN niveau_ms DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN seuil_images DOUBLE PRECISION"),
            QStringLiteral("ALTER TABLE essais ADD COLUMN seuil_ms DOUBLE PRECISION"),
    } };
}

// Each step as the dialect words it, in order.
constexpr std::array etapes_par_dialecte = { &etape_1, &etape_2, &etape_3 };

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
    });
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
        "touches_anticipees",
        "niveau_images",
        "niveau_ms",
        "seuil_images",
        "seuil_ms",
    };
    return colonnes;
}

const QStringList &colonnes_evenements()
{
    static const QStringList colonnes = { "id",     "seance",        "ordre", "moment_utc",
                                          "nature", "utilisateur",   "nom",   "fichier",
                                          "lignes", "seance_reprise" };
    return colonnes;
}

const QStringList &colonnes_seances()
{
    static const QStringList colonnes = {
        "id",    "debut_utc",  "version_programme",   "repertoire",
        "poste", "parametres", "rafraichissement_hz", "priorite_minuteur"
    };
    return colonnes;
}

} // namespace fantrel::base

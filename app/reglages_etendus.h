// The settings beyond param.ini's 17 lines, in fantrel.ini of the working folder
// (INI, UTF-8): the lab server, the answer keys, the photodiode square, the
// statistics' prior. param.ini stays exactly as it is. A missing file or a bad
// value gives the default; nothing here is ever a reason not to start.
#pragma once
#include <QString>
#include <QStringList>

namespace fantrel::app {

inline constexpr const char *nom_reglages_etendus = "fantrel.ini";

enum class CoinEcran { haut_gauche, haut_droite, bas_gauche, bas_droite };

struct ReglagesEtendus
{
    // [labo] The lab server as a postgresql:// URI (empty: no server); the station's
    // name in the data (empty: the machine's name). Never a password.
    QString uri_labo;
    QString station;

    // [clavier] Answer keys, as QKeySequence's portable text ("F", "Space", "Return").
    QString touche_gauche = QStringLiteral("F");
    QString touche_droite = QStringLiteral("J");
    QString touche_ne_sait_pas = QStringLiteral("Space");
    QString touche_depart = QStringLiteral("Return");

    // [photodiode] A square white while the word stands, black otherwise.
    bool photodiode = false;
    int taille_photodiode = 50; // pixels, 10..400
    CoinEcran coin_photodiode = CoinEcran::bas_gauche;

    // [statistiques] Scale of the half-normal prior on (p - 0.5) of the Bayes factor.
    double echelle_a_priori = 0.15; // > 0, <= 0.5

    bool operator==(const ReglagesEtendus &) const = default;
};

// Reads the file; values out of range or unreadable keep their defaults and are named
// in `ecarts` (one French line each) when given.
ReglagesEtendus lit_reglages_etendus(const QString &chemin, QStringList *ecarts = nullptr);
// Writes every value; false when the file cannot be written.
bool ecrit_reglages_etendus(const QString &chemin, const ReglagesEtendus &reglages);

QString texte_coin(CoinEcran coin); // "bas_gauche"…

} // namespace fantrel::app

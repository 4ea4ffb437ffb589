#include "base/donnees_essais.h"

namespace fantrel::base {

namespace {

template<typename Enum, std::size_t N>
std::optional<Enum> depuis_texte(const std::array<const char *, N> &textes, const QString &texte)
{
    for (std::size_t i = 0; i < N; ++i)
        if (texte == QLatin1String(textes[i]))
            return Enum(i);
    return std::nullopt;
}

constexpr std::array<const char *, 4> textes_test = { "korvane", "morbelle", "musique", "seuil" };
constexpr std::array<const char *, 4> textes_facon = { "boutons", "saisie", "je_ne_sais_pas",
                                                       "clavier" };
constexpr std::array<const char *, 9> textes_nature = {
    "nouvel_utilisateur", "renommage", "tout_effacer",    "lecture_fichier", "enregistrement_fichier",
    "reprise",            "fin",       "reprise_refusee", "calibration",
};

} // namespace

QString texte_test(TestEssai test)
{
    return QLatin1String(textes_test.at(std::size_t(test)));
}

std::optional<TestEssai> test_depuis_texte(const QString &texte)
{
    return depuis_texte<TestEssai>(textes_test, texte);
}

QString texte_facon(FaconReponse facon)
{
    return QLatin1String(textes_facon.at(std::size_t(facon)));
}

std::optional<FaconReponse> facon_depuis_texte(const QString &texte)
{
    return depuis_texte<FaconReponse>(textes_facon, texte);
}

QString texte_nature(NatureEvenement nature)
{
    return QLatin1String(textes_nature.at(std::size_t(nature)));
}

std::optional<NatureEvenement> nature_depuis_texte(const QString &texte)
{
    return depuis_texte<NatureEvenement>(textes_nature, texte);
}

Evenement Evenement::nouvel_utilisateur(int rangee, const QString &nom)
{
    Evenement e;
    e.nature = NatureEvenement::nouvel_utilisateur;
    e.utilisateur = rangee;
    e.nom = nom;
    return e;
}

Evenement Evenement::renommage(int rangee, const QString &nouveau_nom)
{
    Evenement e = nouvel_utilisateur(rangee, nouveau_nom);
    e.nature = NatureEvenement::renommage;
    return e;
}

Evenement Evenement::tout_effacer()
{
    Evenement e;
    e.nature = NatureEvenement::tout_effacer;
    return e;
}

Evenement Evenement::lecture_fichier(const QString &fichier, const QStringList &lignes)
{
    Evenement e;
    e.nature = NatureEvenement::lecture_fichier;
    e.fichier = fichier;
    e.lignes = lignes;
    return e;
}

Evenement Evenement::enregistrement_fichier(const QString &fichier)
{
    Evenement e;
    e.nature = NatureEvenement::enregistrement_fichier;
    e.fichier = fichier;
    return e;
}

Evenement Evenement::reprise(qint64 seance)
{
    Evenement e;
    e.nature = NatureEvenement::reprise;
    e.seance_reprise = seance;
    return e;
}

Evenement Evenement::reprise_refusee(qint64 seance)
{
    Evenement e = reprise(seance);
    e.nature = NatureEvenement::reprise_refusee;
    return e;
}

Evenement Evenement::fin()
{
    return Evenement();
}

Evenement Evenement::calibration(const QString &methode, const QStringList &lignes)
{
    Evenement e;
    e.nature = NatureEvenement::calibration;
    e.nom = methode;
    e.lignes = lignes;
    return e;
}

} // namespace fantrel::base

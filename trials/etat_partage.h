// The state of a run, owned by the main window and shared by the trial, result and
// music routines, which take it by reference. Members carry the names the whole
// program uses for them.
#pragma once
#include "platform/hasard.h"
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

namespace fantrel::trials {

// "Type de test": one of the two masked-word paradigms, or the melodies; seuil marks
// the first paradigm's trials of a threshold run (never the test in use).
enum class TestEssai { korvane, morbelle, musique, seuil };

struct Couple
{
    QString mot1; // the connoted word ("$" mark removed)
    QString mot2; // the neutral word
    bool connote = false; // the line marked a word with "$"
};

struct EtatPartage
{
    QString repertoire; // working directory taken once at start-up
    QString nom_param = QStringLiteral("param.ini");
    int num_essai = 0; // trials started since the last new user; 1-based pair index
    bool fin_liste = false; // no further pair may be drawn
    int nb_couples = 0; // pairs of the current list (after evening out)
    QVector<Couple> liste_mots; // liste_mots[k - 1] is pair k
    std::array<QString, 3> mots; // indices 1 and 2: the pair of the current trial
    int rang_mot = 0; // 1 or 2: which of mots is shown; music: 1 = incongruous
    QString masque; // mask of the first paradigm
    QString masque1, masque2; // masks of the second paradigm
    QString mot_morbelle; // word flashed in the second paradigm's chain
    bool bonne_reponse = false;
    bool essai_mire = false; // a "test" flash runs; no answer asked
    QString ligne_resultat; // results line being built
    // The test in use, set by choisit_test alone, which derives the two flags from it.
    TestEssai test = TestEssai::korvane;
    bool mode_morbelle = false; // test == morbelle
    bool mode_musical = false; // test == musique
    std::int32_t couleur_fond = 0; // background colour value last read from the settings
    platform::Hasard hasard; // the program's one random generator

    void choisit_test(TestEssai choisi)
    {
        test = choisi;
        mode_morbelle = choisi == TestEssai::morbelle;
        mode_musical = choisi == TestEssai::musique;
    }

    // Pair k (1-based) of the list, or an empty pair outside it.
    Couple couple(int k) const
    {
        return (k >= 1 && k <= liste_mots.size()) ? liste_mots[k - 1] : Couple{};
    }
};

} // namespace fantrel::trials

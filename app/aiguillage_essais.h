// The switch between the trials: the one place that sets the test in use ("Type de
// test"; the shared state's flags follow) and that hands the subject's answers to the
// trial of that test. Choosing another test abandons whatever trial is under way,
// word, melody or threshold run: no control ever answers, or is shown by, another
// test's trial.
#pragma once
#include "trials/essai_mots.h"
#include "trials/etat_partage.h"

namespace fantrel::trials {
class EssaiKorvane;
class EssaiMorbelle;
} // namespace fantrel::trials
namespace fantrel::music {
class EssaiMusical;
}

namespace fantrel::app {

class AiguillageEssais
{
public:
    AiguillageEssais(trials::EtatPartage &etat, trials::EssaiKorvane &korvane,
                     trials::EssaiMorbelle &morbelle, music::EssaiMusical &musical);

    trials::TestEssai test() const { return m_etat.test; }
    // Sets the test; when it changes, every trial under way is abandoned. True then.
    bool choisit(trials::TestEssai test);
    // The word trial of the test in use (the first paradigm's in the musical test).
    trials::EssaiMots &essai_mots() const;
    // "Type d'exercice": both word trials' answer mode; the word tests' controls go
    // back to the start button (the musical test's are not theirs to reset).
    void definir_mode_reponse(trials::ModeReponse mode);

    // The subject's answers, to the trial of the test in use: a side of the answer
    // buttons (a word, or "C'était juste" / "C'était faux"), "?", a typed word.
    // Each with its act's own moment and how it came (a button, a key).
    void repond(trials::Cote cote, const trials::ActeReponse &acte = {});
    void je_ne_sais_pas(const trials::ActeReponse &acte = {});
    void saisie(const QString &tape);

private:
    bool musical() const { return m_etat.test == trials::TestEssai::musique; }

    trials::EtatPartage &m_etat;
    trials::EssaiKorvane &m_korvane;
    trials::EssaiMorbelle &m_morbelle;
    music::EssaiMusical &m_musical;
};

} // namespace fantrel::app

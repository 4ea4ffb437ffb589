#include "app/aiguillage_essais.h"
#include "music/essai_musical.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"

namespace fantrel::app {

AiguillageEssais::AiguillageEssais(trials::EtatPartage &etat, trials::EssaiKorvane &korvane,
                                   trials::EssaiMorbelle &morbelle, music::EssaiMusical &musical)
    : m_etat(etat), m_korvane(korvane), m_morbelle(morbelle), m_musical(musical)
{
}

bool AiguillageEssais::choisit(trials::TestEssai test)
{
    const bool change = test != m_etat.test;
    m_etat.choisit_test(test);
    if (change) {
        m_korvane.abandonne();
        m_morbelle.abandonne();
        m_musical.abandonne(); // closes the output too
    }
    if (test == trials::TestEssai::musique)
        m_musical.ouvre_sortie(); // before the first melody, so that no note waits for it
    return change;
}

trials::EssaiMots &AiguillageEssais::essai_mots() const
{
    if (m_etat.test == trials::TestEssai::morbelle)
        return m_morbelle;
    return m_korvane;
}

void AiguillageEssais::definir_mode_reponse(trials::ModeReponse mode)
{
    m_korvane.definir_mode_reponse(mode);
    m_morbelle.definir_mode_reponse(mode);
    if (!musical())
        essai_mots().cache_boutons();
}

void AiguillageEssais::repond(trials::Cote cote, const trials::ActeReponse &acte)
{
    if (!musical())
        essai_mots().reponse_bouton(cote, acte);
    else if (cote == trials::Cote::gauche)
        m_musical.bit_rep1Click(acte);
    else
        m_musical.bit_rep2Click(acte);
}

void AiguillageEssais::je_ne_sais_pas(const trials::ActeReponse &acte)
{
    if (!musical())
        essai_mots().Bit_rep3Click(acte);
}

void AiguillageEssais::saisie(const QString &tape)
{
    if (!musical())
        essai_mots().reponse_saisie(tape);
}

} // namespace fantrel::app

#include "trials/mesure_seuil.h"
#include <algorithm>
#include <cmath>

namespace fantrel::trials {

namespace {
constexpr int exposition_max_ms = 100; // the exposure bar's range
}

void MesureSeuil::commence(const ReglagesMesure &reglages)
{
    m_reglages = reglages;
    m_procedure = std::make_unique<ProcedureSeuil>(reglages.procedure);
    m_numero = 1;
    m_en_cours = true;
}

void MesureSeuil::abandonne()
{
    if (!m_en_cours)
        return;
    m_en_cours = false;
    emit abandonnee(m_procedure ? int(m_procedure->trace().size()) : 0, m_reglages.nb_essais);
}

double MesureSeuil::en_ms(double niveau) const
{
    return m_reglages.periode_ms ? niveau * *m_reglages.periode_ms : niveau;
}

int MesureSeuil::exposition_ms() const
{
    return m_procedure ? int(std::lround(en_ms(m_procedure->niveau()))) : 0;
}

void MesureSeuil::complete(CompteRenduEssai &rendu)
{
    if (!m_en_cours || !m_procedure)
        return;
    const int niveau = m_procedure->niveau();
    rendu.niveau_images = m_reglages.periode_ms ? std::optional<int>(niveau) : std::nullopt;
    rendu.niveau_ms = en_ms(niveau);
    ++m_numero;
    if (!rendu.correct)
        return; // "?": the same level again
    const PasSeuil &pas = m_procedure->note(*rendu.correct);
    if (pas.estimation) {
        if (m_reglages.periode_ms)
            rendu.seuil_images = *pas.estimation;
        rendu.seuil_ms = en_ms(*pas.estimation);
    }
    const int faits = int(m_procedure->trace().size());
    emit essai_note(faits, m_reglages.nb_essais);
    if (faits >= m_reglages.nb_essais) {
        m_en_cours = false;
        emit fini();
    }
}

std::optional<int> MesureSeuil::exposition_appliquee() const
{
    const auto e = m_procedure ? m_procedure->estimation() : std::nullopt;
    if (!e)
        return std::nullopt;
    const double unites = std::max(0.0, std::round(e->seuil) - m_reglages.decalage);
    return std::clamp(int(std::lround(en_ms(unites))), 0, exposition_max_ms);
}

} // namespace fantrel::trials

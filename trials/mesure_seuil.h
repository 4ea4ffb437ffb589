// A threshold run of the first paradigm: its trials draw the list's pairs in turn,
// each shown at the procedure's level and stored with that level and the estimate
// after its answer; they stay out of the record and the tallies. Widget-free.
#pragma once
#include "trials/compte_rendu_essai.h"
#include "trials/procedure_seuil.h"
#include <QObject>
#include <memory>
#include <optional>

namespace fantrel::trials {

struct ReglagesMesure
{
    ParametresSeuil procedure;
    int nb_essais = 40;
    int decalage = 1; // k: the exposure applied is the threshold minus k units
    std::optional<double> periode_ms; // units are frames of this period, else ms
};

class MesureSeuil : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void commence(const ReglagesMesure &reglages);
    // Another test chosen mid-run: no further trial is the run's; told once.
    void abandonne();
    bool en_cours() const { return m_en_cours; }
    int numero_essai() const { return m_numero; } // the trial under way, from 1
    // The next trial's exposure in ms: whole frames of the period, else the level.
    int exposition_ms() const;
    double en_ms(double niveau) const;
    // The answered trial: its level, then the estimate after it; "?" moves nothing.
    void complete(CompteRenduEssai &rendu);

    const ReglagesMesure &reglages() const { return m_reglages; }
    const ProcedureSeuil *procedure() const { return m_procedure.get(); }
    // The exposure "Appliquer" sets: the rounded threshold minus k units, in ms.
    std::optional<int> exposition_appliquee() const;

signals:
    void essai_note(int faits, int total);
    void fini();
    void abandonnee(int faits, int total);

private:
    ReglagesMesure m_reglages;
    std::unique_ptr<ProcedureSeuil> m_procedure;
    bool m_en_cours = false;
    int m_numero = 0;
};

} // namespace fantrel::trials

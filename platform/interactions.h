// The program's seams over the user and the machine: message boxes, the question
// box, file dialogs, waits and the audio output. The program uses the real versions;
// tests replace them (RemplacementInteractions) to answer dialogs, skip waits and
// record what is played.
#pragma once
#include "platform/sortie_son.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace fantrel::platform {

enum class Reponse { Oui, Non, Annuler };

// A file dialog in the run-time's terms. The filter is "description|motif|description|motif…"
// and the index counts from 1.
struct OptionsDialogue
{
    QString titre;
    QString filtre;
    int index_filtre = 1;
    QString extension_defaut; // without the dot; added when the name typed has none
    QString repertoire_initial;
    QString nom_fichier; // proposed name (may be a pattern such as "*.liste_fantrel")
    bool confirmer_ecrasement = false;
};

struct ResultatDialogue
{
    bool accepte = false;
    QString nom_fichier; // absolute path when accepted
    int index_filtre = 1;
};

struct Interactions
{
    std::function<void(const QString &texte)> information; // one OK button
    std::function<void(const QString &texte)> erreur; // standard error box
    std::function<Reponse(const QString &texte, bool avec_annuler)>
            question; // Oui / Non (/ Annuler)
    std::function<ResultatDialogue(const OptionsDialogue &)> ouvrir_fichier;
    std::function<ResultatDialogue(const OptionsDialogue &)> enregistrer_fichier;
    std::function<void(int ms)> attente; // timers and paints go on, user input waits
    // A new audio output for the melodies; until the program sets the sound card's, a
    // silent one on the clock.
    std::function<std::unique_ptr<SortieSon>()> sortie_son;
};

// The process-wide seams; the real ones until replaced.
Interactions &interactions();

// Replaces some seams for the lifetime of the object and restores them after.
class RemplacementInteractions
{
public:
    RemplacementInteractions();
    ~RemplacementInteractions();
    Interactions &operator*() { return interactions(); }
    Interactions *operator->() { return &interactions(); }

private:
    Interactions m_sauve;
};

// Shorthands for the program's code.
inline void information(const QString &t)
{
    interactions().information(t);
}
inline void montre_erreur(const QString &t)
{
    interactions().erreur(t);
}
inline Reponse question(const QString &t, bool avec_annuler = false)
{
    return interactions().question(t, avec_annuler);
}
inline void attente(int ms)
{
    interactions().attente(ms);
}
inline std::unique_ptr<SortieSon> nouvelle_sortie_son()
{
    return interactions().sortie_son();
}

// The real wait: runs timers and paints, holds clicks and keys back until the deadline.
void attente_reelle(int ms);

// The silent output on the clock (the seams' default sortie_son).
std::unique_ptr<SortieSon> sortie_silencieuse();

// "desc|motif;motif|desc|motif" as Qt name filters: "desc (motif motif)", ….
QStringList filtres_qt(const QString &filtre);

} // namespace fantrel::platform

// The main window started as the program starts it, shown on the display, in a
// working folder of its own with a list of many pairs; trials driven as the
// subject drives them, every presented frame stamped through observateur_affichage
// and every timer event stamped as the GUI thread takes it.
#pragma once
#include "platform/interactions.h"
#include <QDir>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fantrel::app {
class TForm1;
struct Fenetres;
} // namespace fantrel::app
namespace fantrel::platform {
class MinuteurHR;
}

namespace fantrel::banc_flash {

using Horloge = std::chrono::steady_clock;

// One flash of the first paradigm, in ms.
struct Flash
{
    double exposition = 0; // word presented -> mask presented
    double retard = 0; // timer event taken by the GUI thread, past word presented + E
    double image = 0; // timer event taken -> mask presented
    int images = 0; // refreshes the word stood (0: no refresh)
    int manquees = 0; // of which late
    long long rang_mot = -1, rang_masque = -1; // the frames' ranks, when rang_image is set
};

// One chain of the second paradigm, per phase (mask 1, word, blank, mask 2), in ms.
struct Chaine
{
    std::array<double, 4> duree{};
    std::array<double, 4> retard{};
    std::array<double, 4> image{};
    std::array<int, 4> images{}; // refreshes each phase stood, late ones
    std::array<int, 4> manquees{};
    std::array<long long, 5> rangs{ -1, -1, -1, -1, -1 }; // the five frames'
};

class BancFlash : public QObject
{
    Q_OBJECT
public:
    // pause_ms: the program's 1000 ms wait before a flash is cut to this (a real wait,
    // timers and paints go on); the one after the word is on screen, in which the flash
    // or the chain runs, keeps its full length, as in the program.
    BancFlash(int nb_couples, int pause_ms);
    ~BancFlash() override;

    app::TForm1 &form() { return *m_form; }
    // The rank of the frame just presented (a simulated monitor's flip count), kept with
    // each display when set.
    std::function<long long()> rang_image;
    // Told of each display of a trial as it happens: its place in the trial (0 first)
    // and its rank.
    std::function<void(std::size_t indice, long long rang)> apres_affichage;

    // False when the window never came on screen (no display).
    bool pret() const { return m_pret; }
    // The scheduling each of the trials' timers' threads obtained, as they tell it
    // ("AsyncTimer2 : SCHED_FIFO 99 (direct), …"), once all have asked.
    QString priorites_minuteurs() const;
    QString erreur() const { return m_erreurs.join(QStringLiteral(" / ")); }

    // The list read again from its first pair, for a new series.
    void relance_liste();
    void regle_korvane(int exposition_ms);
    void regle_morbelle(const std::array<int, 4> &durees_ms);

    // One trial from the click on the start button to the answer "?" (no record).
    std::optional<Flash> essai_korvane();
    std::optional<Chaine> essai_morbelle();
    // A trial started by the caller: its wait before the flash cut short as above.
    void oublie_affichages();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    struct Affichage
    {
        QString texte;
        Horloge::time_point t{};
        int images = 0, manquees = 0;
        long long rang = -1;
    };
    struct Livraison
    {
        const QObject *minuteur = nullptr;
        Horloge::time_point t{};
    };

    void attente_banc(int ms);
    bool attendre(const std::function<bool()> &condition, int delai_ms, bool sans_saisie);
    bool reponse_demandee() const;
    void repond();
    std::optional<Horloge::time_point> livraison_apres(const QObject *minuteur,
                                                       Horloge::time_point t) const;

    QTemporaryDir m_dossier;
    QString m_ancien_dossier = QDir::currentPath();
    platform::RemplacementInteractions m_seams;
    QStringList m_erreurs;
    std::unique_ptr<app::Fenetres> m_fenetres;
    app::TForm1 *m_form = nullptr;
    int m_pause_ms = 30;
    bool m_pret = false;
    // Displays of a whole chain: mask 1, word, blank, mask 2, empty.
    static constexpr std::size_t affichages_chaine = 5;
    std::vector<Affichage> m_affichages;
    std::vector<Livraison> m_livraisons;
};

} // namespace fantrel::banc_flash

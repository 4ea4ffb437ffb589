// The subject's controls under the 3D word: the start button, the two answer
// buttons and "?", the free-typing box, the second paradigm's button, the listen
// button of the musical test, and the experimenter's labels "Mot affiché" and the
// verdict. They show what the trials say (the trial objects' signals land here); a
// trial abandoned when another test is chosen says nothing more (aiguillage_essais.h).
#pragma once
#include "trials/compte_rendu_essai.h"
#include "trials/etat_partage.h"
#include <QObject>
#include <optional>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace fantrel::app {

class CommandesEssai : public QObject
{
    Q_OBJECT
public:
    // The controls are placed on `centre` (the main window's client area); the test
    // in use is read from etat, for the start or listen button it shows.
    CommandesEssai(const trials::EtatPartage &etat, QWidget *centre);

    // --- controls, named as the window's layout names them ---
    QPushButton *BitBtn2 = nullptr; // "Concentrez vous sur le leurre et cliquez ici"
    QPushButton *bit_rep1 = nullptr; // left answer
    QPushButton *bit_rep2 = nullptr; // right answer
    QPushButton *Bit_rep3 = nullptr; // "?"
    QLineEdit *Edit_saisie_libre = nullptr;
    QPushButton *BitBtn5 = nullptr; // the second paradigm's, never shown
    QPushButton *BitBtn_ecoute = nullptr; // "Cliquez ici pour écouter la mélodie"
    QLabel *lab_mot_aff = nullptr; // the word shown (or the melody drawn), "Mode visible"
    QLabel *Lab_bid = nullptr; // the verdict, "Mode visible"

    // The start button usable (a list opened, a new user); shown in the word tests.
    void permet_depart();
    // The listen button usable (a new user in the musical test).
    void permet_ecoute();
    // The test's own start or listen button, and the musical test's captions.
    void montre_test();
    // Every answer control hidden and the captions cleared: the awaited answer is dropped.
    void cache_reponses();
    // The press of the click being handled, at its event's own time stamp (a click
    // answers at its release; the response ends at the press); now for a click with
    // no press (from the keyboard focus or code). Taken once.
    trials::ActeReponse prend_acte_clic();

public slots:
    // --- a word trial ---
    void essai_commence(); // the start button hides at once
    void mot_choisi(const QString &montre);
    void montre_propositions(const QString &gauche, const QString &droite);
    void montre_saisie();
    void cache_boutons(); // answer controls hidden, the start button back
    void liste_finie(); // the start button stays, disabled
    void affich_bid(bool verdict); // "Bonne réponse" or "Pas bon"
    // --- the musical test ---
    void melodie_tiree(const QString &etiquette);
    void montre_reponses_musique();
    void cache_reponses_musique();

protected:
    bool eventFilter(QObject *cible, QEvent *evenement) override;

private:
    bool musical() const; // the musical test is in use

    std::optional<trials::ActeReponse> m_clic;
    const trials::EtatPartage &m_etat;
    QWidget *m_centre = nullptr;
};

} // namespace fantrel::app

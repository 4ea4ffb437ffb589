// The word-pair window "Choix des couples de mots": searches the word base for
// pairs of words that differ in one letter, lets the experimenter move them into
// a list of his own and saves that list as an exercise list.
//
// Created once at start-up (second window) and shown modally by the main window:
//     TForm_choix_mots choix(repertoire, this);  …  choix.exec();
// Closing it only hides it; lists, boxes and flags stay for the next showing.
//
// The window is the layout and the handlers; the lists live in ListesCouples
// (with their files: DialoguesListes), the search in RechercheEnTranches, and the
// controls show them as their signals tell.
#pragma once
#include "wordpairs/base_mots.h"
#include "wordpairs/dialogues_listes.h"
#include "wordpairs/filtre_couple.h"
#include "wordpairs/liste_memo.h"
#include "wordpairs/listes_couples.h"
#include "wordpairs/recherche_en_tranches.h"
#include <QDialog>
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;

namespace fantrel::wordpairs {

class TForm_choix_mots : public QDialog
{
    Q_OBJECT
public:
    // `repertoire`: the main window's start-up folder, read when a file is needed
    // (it is set after this window is created).
    explicit TForm_choix_mots(const QString &repertoire, QWidget *parent = nullptr);
    ~TForm_choix_mots() override;

    // Controls, named as in the window's layout.
    QGroupBox *Group_radio = nullptr;
    std::array<QRadioButton *, 16> boutons_longueur{}; // 1 to 15, made at the first tick
    QPushButton *BitBtn1 = nullptr;
    QLineEdit *Edit_mot = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QCheckBox *Check_s = nullptr;
    QCheckBox *Check_accent = nullptr;
    QCheckBox *check_non_der = nullptr;
    QCheckBox *check_non_prem = nullptr;
    QCheckBox *Check_participes = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *STOP = nullptr;
    QLabel *Lab_prem_mot = nullptr;
    QLabel *Lab_fin_mot = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Lab_fic_tous_les_mots = nullptr;
    QLabel *Lab_fic_mots_selectionnes = nullptr;
    QLabel *Lab_fic_mots_choisis = nullptr;
    ListeMemo *Memo1 = nullptr; // pairs selected by the software
    // Every line of the word base: a list view, which shows 75,000 lines at once
    // where a text box needs most of a second to take them.
    QListView *Memo2 = nullptr;
    ListeMemo *Memo3 = nullptr; // pairs chosen by the user
    QToolButton *SpeedButton1 = nullptr; // save Memo1 (".select_log")
    QToolButton *SpeedButton2 = nullptr; // load Memo1
    QToolButton *SpeedButton3 = nullptr; // "Sélection" Memo1 → Memo3
    QToolButton *SpeedButton4 = nullptr; // "Sélection" back
    QToolButton *Speed_sauve_select = nullptr;
    QToolButton *Speed_charge_select = nullptr;
    QAction *Sauver1 = nullptr; // "Fichier" / "Sauver les mots trouvés"
    QTimer *Timer_debut = nullptr;

    // What the controls show.
    ListesCouples &listes() { return m_listes; }
    RechercheEnTranches &recherche() { return m_recherche; }
    const DialoguesListes &dialogues() const { return m_dialogues; }

    // The handlers: each calls one operation of the search, the lists or their files.
public slots:
    void Timer_debutTimer(); // makes the length buttons
    void BitBtn1Click(); // a class search (the single word when Edit_mot has the focus)
    void BitBtn2Click(); // the single-word search
    void STOPClick() { m_recherche.en_pause() ? m_recherche.reprend() : m_recherche.arrete(); }
    void Memo1MouseDown() { Memo1->retient_ligne_du_curseur(); }
    void Memo3MouseDown() { Memo3->retient_ligne_du_curseur(); }
    void Memo1DblClick();
    void Memo3DblClick();
    void SpeedButton3Click() { m_listes.choisit_lignes(Memo1->lignes_selection()); }
    void SpeedButton4Click() { m_listes.rend_lignes(Memo3->lignes_selection()); }
    void Speed_sauve_selectClick() { m_dialogues.sauve_utilisateur(); }
    void Speed_charge_selectClick() { m_dialogues.charge_utilisateur(); }
    void SpeedButton1Click() { m_dialogues.sauve_logiciel(); }
    void SpeedButton2Click() { m_dialogues.charge_logiciel(); }
    void Sauver1Click() { m_dialogues.sauve_trouves(); }
    // Whether the window may close, after asking about an unsaved user's list.
    bool FormCloseQuery() { return m_dialogues.fermeture_permise(); }
    // Escape and the title bar's close both come here.
    void reject() override;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit_fenetre();
    void relie_controles();
    void relie_listes();
    void relie_recherche();
    void charge_base();
    void coche_seulement(int longueur);
    int longueur_cochee() const;
    Filtres filtres() const;
    // What the search's signals show.
    void montre_etat();
    void montre_demarrage(int ligne_debut, int ligne_fin);
    void montre_progression(int position, int maximum);
    void montre_arret();

    const QString &m_repertoire;
    BaseMots m_base; // the lines shown in Memo2
    ListesCouples m_listes;
    DialoguesListes m_dialogues{ m_listes, m_repertoire };
    RechercheEnTranches m_recherche;
    bool m_bitbtn2_voulu = false; // BitBtn2 as the word field and the buttons ask, search aside
};

} // namespace fantrel::wordpairs

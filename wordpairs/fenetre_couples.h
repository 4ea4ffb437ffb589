// The word-pair window "Choix des couples de mots": searches the word base for
// pairs of words that differ in one letter, lets the experimenter move them into
// a list of his own and saves that list as an exercise list.
//
// Created once at start-up (second window) and shown modally by the main window:
//     TForm_choix_mots choix(repertoire, this);  …  choix.exec();
// Closing it only hides it; lists, boxes and flags stay for the next showing.
//
// The search runs by turns of the event loop (about 8 ms of work each), so the
// window stays live: found pairs are added ~30 times a second, STOP acts at once.
#pragma once
#include "wordpairs/base_mots.h"
#include "wordpairs/filtre_couple.h"
#include <QDialog>
#include <QElapsedTimer>
#include <array>
#include <memory>

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

class ListeMemo;
class Recherche;

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

    // State of the search.
    int ligne_debut = -1;
    int ligne_fin = -1;
    bool arret = false; // paused by STOP
    bool reprise = false;
    bool mot_seul = false;
    bool init_progression = true;
    bool liste_logiciel_a_sauver = false;
    // State of the lists.
    int debut_ligne1 = 0;
    int fin_ligne1 = 0;
    int debut_ligne3 = 0;
    int fin_ligne3 = 0;
    bool liste_modifiee = false;
    bool sauvegarde_faite = false;

    bool recherche_en_cours() const;
    // Slices of at most `unites` units of work instead of ~8 ms (0: by time), so
    // that a test can stop a search on a small base half-way.
    void definir_budget_tranche(qint64 unites) { m_budget_tranche = unites; }

public slots:
    void Timer_debutTimer();
    void BitBtn1Click();
    void BitBtn2Click();
    void STOPClick();
    void Memo1MouseDown();
    void Memo3MouseDown();
    void Memo1DblClick();
    void Memo3DblClick();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void Speed_sauve_selectClick();
    void Speed_charge_selectClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Sauver1Click();
    // Whether the window may close, after asking about an unsaved user's list.
    bool FormCloseQuery();
    // Escape and the title bar's close both come here.
    void reject() override;

signals:
    // A search ended or was paused (its epilogue ran).
    void recherche_arretee();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit_fenetre();
    void charge_base();
    void demarre(bool seul, int longueur);
    void recherche();
    void publie(int limite_ms, bool tout_de_suite);
    void epilogue(bool terminee);
    void maj_bitbtn2();
    void maj_filtres();
    void maj_longueur_cochee();
    int longueur_cochee() const;
    Filtres filtres() const;
    void affiche_nb_choisis();
    void remplace_dans_memo1(const QString &ancienne, const QString &nouvelle, bool derniere);

    const QString &m_repertoire;
    BaseMots m_base; // the lines shown in Memo2
    std::unique_ptr<Recherche> m_recherche;
    QTimer *m_tranche = nullptr; // next slice of the search
    qint64 m_budget_tranche = 0;
    QElapsedTimer m_depuis_publication;
    QStringList m_a_publier;
    bool m_bitbtn2_voulu = false; // BitBtn2 as the word field and the buttons ask, search aside
    bool m_ecriture_memo3 = false; // the program itself is changing Memo3
};

} // namespace fantrel::wordpairs

// The search side of the word-pair window: the two starts, the slices of the
// search run from the event loop, STOP / REPRENDRE and the epilogue.
#include "platform/fichier_texte.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include "wordpairs/listes_selection.h"
#include "wordpairs/recherche_rapide.h"
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

namespace fantrel::wordpairs {

namespace {

// One turn of the event loop does at most this much work, then events are
// processed: adding the pairs found to the list, then searching.
constexpr int duree_tour_ms = 5;
constexpr int intervalle_affichage_ms = 33; // the list is painted ~30 times a second
constexpr qint64 pas_recherche = 256; // units of one avance()
constexpr int lignes_par_ajout = 100; // lines added to the list at a time

} // namespace

bool TForm_choix_mots::recherche_en_cours() const
{
    return m_recherche && !arret;
}

void TForm_choix_mots::charge_base()
{
    const QString chemin = m_repertoire + QStringLiteral("/tout.txt");
    QStringList lignes = platform::lire_lignes(chemin);
    // The base rarely changes between two searches: keep the list shown as it is.
    if (lignes != m_base.lignes) {
        m_base = BaseMots(std::move(lignes));
        static_cast<QStringListModel *>(Memo2->model())->setStringList(m_base.lignes);
    }
    Lab_fic_tous_les_mots->setText(chemin);
    Lab_fic_tous_les_mots->show();
}

void TForm_choix_mots::BitBtn1Click()
{
    if (focusWidget() == Edit_mot) {
        BitBtn2Click();
        return;
    }
    if (recherche_en_cours())
        return;
    // Read the base first: a base that cannot be read keeps the pairs found before.
    charge_base();
    Memo1->clear();
    Memo1->repaint();
    demarre(false, longueur_cochee());
}

void TForm_choix_mots::BitBtn2Click()
{
    if (Edit_mot->text().isEmpty() || recherche_en_cours())
        return;
    charge_base();
    Edit_mot->setText(minuscules_az(Edit_mot->text()));
    const int longueur = int(Edit_mot->text().size());
    // NOTE: unchecking every button of an exclusive group needs the exclusivity off.
    for (QRadioButton *bouton : boutons_longueur) {
        if (!bouton)
            continue;
        bouton->setAutoExclusive(false);
        bouton->setChecked(false);
        bouton->setAutoExclusive(true);
    }
    if (longueur <= 15 && boutons_longueur[std::size_t(longueur)])
        boutons_longueur[std::size_t(longueur)]->setChecked(true);
    mot_seul = true;
    BitBtn1->setFocus();
    Memo1->clear();
    Memo1->repaint();
    demarre(true, longueur);
}

void TForm_choix_mots::demarre(bool seul, int longueur)
{
    m_tranche->stop();
    m_recherche.reset();
    m_a_publier.clear();
    STOP->setEnabled(true);
    BitBtn1->setEnabled(false);
    const BornesClasse bornes = bornes_classe(m_base.classes, longueur);
    ligne_debut = bornes.debut;
    ligne_fin = bornes.fin;
    init_progression = true;
    reprise = false;
    STOP->setText(QStringLiteral("STOP"));
    Lab_prem_mot->setText(QString::number(ligne_debut));
    Lab_fin_mot->setText(QString::number(ligne_fin));
    m_recherche = std::make_unique<RechercheRapide>(
            m_base, Demande{ seul, longueur, seul ? Edit_mot->text() : QString() });
    m_recherche->definir_filtres(filtres());
    if (!seul)
        m_recherche->definir_longueur_cochee(longueur_cochee());
    arret = false;
    maj_bitbtn2();
    m_depuis_publication.start();
    recherche();
}

// One turn of the search; the next one is queued behind the pending events.
// Adding thousands of lines to a text box takes longer than finding them, so the
// lines wait in m_a_publier and are added a few milliseconds' worth a turn; the
// list itself is painted only every 33 ms.
void TForm_choix_mots::recherche()
{
    if (!recherche_en_cours())
        return;
    QElapsedTimer chrono;
    chrono.start();
    const bool essai = m_budget_tranche > 0;
    bool finie = m_recherche->finie();
    publie(essai ? 0 : (finie ? duree_tour_ms : duree_tour_ms / 2), false);
    while (!finie) {
        finie = m_recherche->avance(essai ? m_budget_tranche : pas_recherche);
        if (essai || chrono.elapsed() >= duree_tour_ms)
            break;
    }
    m_a_publier += m_recherche->prend_couples();
    if (finie && m_a_publier.isEmpty()) {
        epilogue(true);
        return;
    }
    m_tranche->start();
}

// Adds the pairs found so far to the list, marked when the user already chose
// them, for at most `limite_ms` (0: all of them); shows the list and the
// progress when their painting is due, or at once.
void TForm_choix_mots::publie(int limite_ms, bool tout_de_suite)
{
    if (!m_recherche)
        return;
    QElapsedTimer chrono;
    chrono.start();
    m_a_publier += m_recherche->prend_couples();
    const bool dessin = tout_de_suite || m_depuis_publication.elapsed() >= intervalle_affichage_ms;
    if (Memo1->updatesEnabled() != dessin)
        Memo1->setUpdatesEnabled(dessin);
    if (!m_a_publier.isEmpty()) {
        const QStringList choisis = Memo3->lignes();
        const QSet<QString> deja(choisis.begin(), choisis.end());
        qsizetype fait = 0;
        while (fait < m_a_publier.size() && (limite_ms == 0 || chrono.elapsed() < limite_ms)) {
            QStringList lot = m_a_publier.mid(fait, lignes_par_ajout);
            for (QString &ligne : lot)
                if (deja.contains(ligne))
                    ligne = marque(ligne);
            Memo1->ajoute_lignes(lot);
            fait += lot.size();
        }
        m_a_publier.remove(0, fait);
    }
    if (dessin && m_recherche->progression_prete()) {
        m_depuis_publication.restart();
        // A maximum of 0 would turn the bar into a busy indicator.
        ProgressBar1->setMaximum(std::max(1, m_recherche->progression_maximum()));
        ProgressBar1->setValue(m_recherche->progression_position());
    } else if (dessin) {
        m_depuis_publication.restart();
    }
}

void TForm_choix_mots::STOPClick()
{
    if (!m_recherche)
        return;
    if (!arret) {
        arret = true;
        m_tranche->stop();
        STOP->setText(QStringLiteral("REPRENDRE"));
        BitBtn1->setEnabled(true);
        // A single-word search cannot be taken up again: stopping ends it.
        epilogue(mot_seul || m_recherche->finie());
    } else {
        STOP->setText(QStringLiteral("STOP"));
        arret = false;
        init_progression = false;
        BitBtn1->setEnabled(false);
        reprise = true;
        maj_bitbtn2();
        recherche();
    }
}

void TForm_choix_mots::epilogue(bool terminee)
{
    publie(0, true);
    if (terminee) {
        STOP->setText(QStringLiteral("STOP"));
        STOP->setEnabled(false);
        BitBtn1->setEnabled(true);
        reprise = false;
        arret = false;
        m_recherche.reset();
    }
    maj_bitbtn2();
    if (mot_seul) {
        Edit_mot->setFocus();
        Edit_mot->deselect();
        Edit_mot->setCursorPosition(int(Edit_mot->text().size()));
    }
    mot_seul = false;
    Label4->setText(QString::number(Memo1->nb_lignes()) + QStringLiteral(" couples"));
    Label4->show();
    liste_logiciel_a_sauver = true;
    emit recherche_arretee();
}

} // namespace fantrel::wordpairs

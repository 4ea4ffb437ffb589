// The word trials: the trial start shared by both paradigms, the first paradigm's
// exposure, the second paradigm's four-phase chain, and the answers.
#include "app/fenetre_principale.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "music/essai_musical.h"
#include "platform/interactions.h"
#include "results/groupe_resultats.h"
#include "trials/reponses.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <array>

namespace fantrel::app {

namespace {
constexpr int attente_avant_flash_ms = 1000;
constexpr int attente_avant_reponse_ms = 1000;

QString duree_ms(int ms)
{
    return QString::number(ms) + QStringLiteral(" ms");
}
} // namespace

void TForm1::BitBtn2Click()
{
    BitBtn2->hide();
    repaint();
    ++etat.num_essai;
    etat.ligne_resultat.clear();
    if (etat.fin_liste)
        return;
    // A list opened mid-run may be shorter than the trials already made.
    if (etat.num_essai > etat.liste_mots.size()) {
        cache_boutons();
        return;
    }
    etat.rang_mot = trials::rang_du_essai(etat.num_essai);
    const trials::Couple c = etat.couple(etat.num_essai);
    etat.mots[1] = c.mot1;
    etat.mots[2] = c.mot2;
    const QString montre = etat.mots[etat.rang_mot];
    lab_mot_aff->setText(montre);
    lab_mot_aff->adjustSize();
    Lab_bid->setText(QString());
    // An empty pair flashes nothing and records nothing: the trial ends as "?" does.
    if (c.mot1.isEmpty() && c.mot2.isEmpty()) {
        cache_boutons();
        return;
    }
    etat.ligne_resultat = trials::debut_ligne_resultat(montre);
    // The word's glyphs are built now, not between the timer's event and the frame.
    GLSpaceText1->prepare_texte(montre);
    GLSpaceText1->prepare_texte(etat.masque);
    platform::attente(attente_avant_flash_ms);
    if (!etat.mode_morbelle) {
        affich_texte(montre);
        lance_exposition();
    } else {
        pose_texte(QString());
        BitBtn5Click();
        demande_reponse();
    }
}

void TForm1::AsyncTimer2Timer()
{
    affich_texte(etat.masque);
    AsyncTimer2->definir_actif(false);
    demande_reponse();
}

void TForm1::Scroll_timerChange()
{
    Lab_intervalle_timer->setText(duree_ms(Scroll_timer->value()));
    Lab_intervalle_timer->adjustSize();
    AsyncTimer2->definir_intervalle(quint16(Scroll_timer->value()));
}

void TForm1::Edit_masqueChange()
{
    etat.masque = Edit_masque->text();
    pose_texte(etat.masque);
}

void TForm1::SpeedButton2Click()
{
    platform::attente(attente_avant_flash_ms);
    etat.essai_mire = true;
    affich_texte(QString::number(100 + etat.hasard.tirage(1000)));
    lance_exposition();
}

// Times the exposure from the word's presented frame; the mask's frame is drawn
// while the word stands, so the timer's event only swaps it in, and comes early by
// the time a swap takes, so that the mask is out at the due time. At 0 ms the word
// stays for exactly one frame: the mask is the next frame.
void TForm1::lance_exposition()
{
    if (AsyncTimer2->intervalle() == 0) {
        AsyncTimer2Timer();
        return;
    }
    AsyncTimer2->definir_avance(vue_3d->duree_presentation());
    AsyncTimer2->definir_actif(true);
    prepare_affichage(etat.masque);
}

void TForm1::demande_reponse()
{
    if (!etat.essai_mire) {
        platform::attente(attente_avant_reponse_ms);
        if (Comparaisondemots1->isChecked()) {
            const int r = 1 + etat.hasard.tirage(2);
            bit_rep1->setText(etat.mots[r == 1 ? 1 : 2]);
            bit_rep2->setText(etat.mots[r == 1 ? 2 : 1]);
            etat.ligne_resultat += trials::propositions(etat.mots[1], etat.mots[2], r);
            Bit_rep3->move(709, 485);
            bit_rep1->show();
            bit_rep2->show();
            Bit_rep3->show();
        } else {
            Edit_saisie_libre->clear();
            Edit_saisie_libre->show();
            Bit_rep3->move(Edit_saisie_libre->x() + Edit_saisie_libre->width() + 10,
                           Edit_saisie_libre->y() + 4);
            Bit_rep3->show();
            repaint();
            Edit_saisie_libre->setFocus();
        }
    }
    etat.essai_mire = false;
}

void TForm1::reponse_mot(QPushButton *bouton)
{
    etat.ligne_resultat += QStringLiteral(" répondu=") + bouton->text();
    groupe_resultats->ajoute_ligne(etat.ligne_resultat);
    etat.bonne_reponse = trials::juge(bouton->text(), etat.mots[etat.rang_mot]);
    compte_reponse();
    affich_bid(etat.bonne_reponse);
    cache_boutons();
}

void TForm1::bit_rep1Click()
{
    if (etat.mode_musical)
        essai_musical->bit_rep1Click();
    else
        reponse_mot(bit_rep1);
}

void TForm1::bit_rep2Click()
{
    if (etat.mode_musical)
        essai_musical->bit_rep2Click();
    else
        reponse_mot(bit_rep2);
}

void TForm1::Bit_rep3Click()
{
    cache_boutons();
}

// A typed answer is recorded and counted as a clicked one is, with the pair's
// proposals in their canonical order, so the results file keeps every answer.
void TForm1::Edit_saisie_libreEntree()
{
    Edit_saisie_libre->hide();
    const QString tape = Edit_saisie_libre->text();
    etat.bonne_reponse = trials::juge(tape, etat.mots[etat.rang_mot]);
    etat.ligne_resultat += trials::propositions(etat.mots[1], etat.mots[2], 1)
            + QStringLiteral(" répondu=") + tape;
    groupe_resultats->ajoute_ligne(etat.ligne_resultat);
    compte_reponse();
    affich_bid(etat.bonne_reponse);
    cache_boutons();
}

// --- second paradigm: mask 1, word, blank, mask 2, then an empty text ---

void TForm1::BitBtn5Click()
{
    const int l = int(etat.masque.size());
    etat.masque1 = Edit_masque1->text().left(l);
    etat.masque2 = Edit_masque2->text().left(l);
    etat.mot_morbelle = etat.mots[etat.rang_mot];
    for (const QString &t : { etat.masque1, etat.mot_morbelle, etat.masque2 })
        GLSpaceText1->prepare_texte(t);
    Async_masque1->definir_intervalle(quint16(Scroll_masque1->value()));
    Async_mot->definir_intervalle(quint16(Scroll_mot->value()));
    Async_blanc->definir_intervalle(quint16(Scroll_blanc->value()));
    Async_masque2->definir_intervalle(quint16(Scroll_masque2->value()));
    phase_chaine(nullptr, 0);
}

// Ends the phase timed by fin (if any) and shows phase `suivante` (0 to 3: mask 1,
// word, blank, mask 2) with a presented frame, so every phase is timed from the
// moment it is on screen; the next phase's frame is then drawn ahead and swapped
// in when due, as the first paradigm's mask is. A phase of
// 0 ms is skipped; after the last one the text is emptied.
void TForm1::phase_chaine(platform::MinuteurHR *fin, int suivante)
{
    if (fin)
        fin->definir_actif(false);
    const std::array<platform::MinuteurHR *, 4> minuteurs{ Async_masque1, Async_mot, Async_blanc,
                                                           Async_masque2 };
    const std::array<QString, 4> textes{ etat.masque1, etat.mot_morbelle, QString(), etat.masque2 };
    const auto phase_montree = [&](int depuis) {
        int k = depuis;
        while (k < 4 && minuteurs[k]->intervalle() == 0)
            ++k;
        return k;
    };
    const int k = phase_montree(suivante);
    if (k == 4) {
        affich_texte(QString());
        return;
    }
    affich_texte(textes[k]);
    minuteurs[k]->definir_avance(vue_3d->duree_presentation());
    minuteurs[k]->definir_actif(true);
    const int apres = phase_montree(k + 1);
    prepare_affichage(apres == 4 ? QString() : textes[apres]);
}

void TForm1::Async_masque1Timer()
{
    phase_chaine(Async_masque1, 1);
}

void TForm1::Async_motTimer()
{
    phase_chaine(Async_mot, 2);
}

void TForm1::Async_blancTimer()
{
    phase_chaine(Async_blanc, 3);
}

void TForm1::Async_masque2Timer()
{
    phase_chaine(Async_masque2, 4);
}

void TForm1::Scroll_masque1Change()
{
    Lab_interv_masque1->setText(duree_ms(Scroll_masque1->value()));
    Async_masque1->definir_intervalle(quint16(Scroll_masque1->value()));
}

void TForm1::Scroll_motChange()
{
    Lab_interv_figure->setText(duree_ms(Scroll_mot->value()));
    Async_mot->definir_intervalle(quint16(Scroll_mot->value()));
}

void TForm1::Scroll_blancChange()
{
    Lab_interv_blanc->setText(duree_ms(Scroll_blanc->value()));
    Async_blanc->definir_intervalle(quint16(Scroll_blanc->value()));
}

void TForm1::Scroll_masque2Change()
{
    Lab_interv_masque2->setText(duree_ms(Scroll_masque2->value()));
    Async_masque2->definir_intervalle(quint16(Scroll_masque2->value()));
}

} // namespace fantrel::app

#include "music/essai_musical.h"
#include "platform/minuteur_hr.h"
#include "music/incongruite.h"
#include "platform/conversions.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "trials/etat_partage.h"
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace fantrel::music {

EssaiMusical::EssaiMusical(trials::EtatPartage &etat, ControlesMusique controles, QObject *parent)
    : QObject(parent), m_etat(etat), m_controles(std::move(controles))
{
    Async_note = new platform::MinuteurHR(this);
    Async_note->setObjectName(QStringLiteral("Async_note"));
    Async_note->definir_intervalle(100);
    connect(Async_note, &platform::MinuteurHR::echeance, this, &EssaiMusical::Async_noteTimer);
}

void EssaiMusical::BitBtn_ecouteClick()
{
    m_controles.BitBtn_ecoute->setEnabled(false);
    m_etat.num_essai += 1;
    try {
        const int taille_serie = platform::vers_entier(m_controles.Edit3->text());
        if (taille_serie < m_etat.num_essai) {
            // The series is over: the button stays disabled until a new user.
            platform::information(QStringLiteral("Plus de tests"));
            return;
        }
        const QStringList lignes = platform::decoupe_lignes(m_controles.Memo_music->toPlainText());
        const int k = m_etat.hasard.tirage(static_cast<int>(lignes.size()));
        ligne_melodie = sans_nom(lignes.value(k));
        joue(ligne_melodie);
    } catch (...) {
        // A test that could not start is not counted, and the next click may draw a good line.
        m_etat.num_essai -= 1;
        m_controles.BitBtn_ecoute->setEnabled(true);
        throw;
    }
}

void EssaiMusical::joue(const QString &s)
{
    duree_base = duree_base_melodie;
    const PartiesMelodie parties = separe_rythme(s);
    const int tirage = m_etat.hasard.tirage(2);
    QString texte = parties.notes;
    if (tirage == 1) {
        const QString decalage = texte_decalage(m_controles.Edit_incongru->text());
        const int mode = m_controles.Radio_incongru();
        if (mode == static_cast<int>(ModeIncongru::fin))
            texte = insere_a_la_fin(texte, decalage);
        else if (mode == static_cast<int>(ModeIncongru::aleatoire))
            texte = insere_au_hasard(texte, decalage, m_etat.hasard);
    }
    // Parsed whole before anything changes: a faulty shift leaves the state as it was.
    QVector<Note> analysees = analyse_notes(texte, duree_base);

    incongru = tirage;
    m_controles.lab_mot_aff->setText(incongru == 1 ? QStringLiteral("Incongruité")
                                                   : QStringLiteral("Pas d'incongruité"));
    notes = std::move(analysees);
    nb_notes = static_cast<int>(notes.size());
    note_courante = 0;
    Async_note->definir_intervalle(parties.rythme);
    Async_note->definir_actif(true);
}

void EssaiMusical::Async_noteTimer()
{
    note_courante += 1;
    if (note_courante > nb_notes) {
        Async_note->definir_actif(false);
        m_controles.bit_rep1->show();
        m_controles.bit_rep2->show();
        return;
    }
    const Note note = notes[note_courante - 1];
    if (note.frequence == 0)
        platform::attente(duree_base);
    else
        platform::bip(note.frequence, note.duree);
}

void EssaiMusical::bit_rep1Click()
{
    reponse(false);
}

void EssaiMusical::bit_rep2Click()
{
    reponse(true);
}

void EssaiMusical::reponse(bool repondu_faux)
{
    m_etat.rang_mot = incongru == 1 ? 1 : 2;
    m_etat.bonne_reponse = (incongru == 1) == repondu_faux;
    m_controles.compte_reponse();
    m_controles.affich_bid(m_etat.bonne_reponse);
    m_controles.BitBtn_ecoute->setEnabled(true);
    m_controles.bit_rep1->hide();
    m_controles.bit_rep2->hide();
}

} // namespace fantrel::music

#include "music/essai_musical.h"
#include "music/incongruite.h"
#include "platform/conversions.h"
#include "platform/interactions.h"
#include "platform/sortie_son.h"
#include "trials/etat_partage.h"
#include "trials/reponses.h"

namespace fantrel::music {

EssaiMusical::EssaiMusical(trials::EtatPartage &etat, QObject *parent)
    : QObject(parent), m_etat(etat)
{
    m_sortie = platform::nouvelle_sortie_son().release();
    m_sortie->setParent(this);
    connect(m_sortie, &platform::SortieSon::repere_atteint, this, &EssaiMusical::Async_noteTimer);
    connect(m_sortie, &platform::SortieSon::debut, this, &EssaiMusical::debut_du_son);
}

void EssaiMusical::ouvre_sortie()
{
    m_sortie->ouvre();
}

void EssaiMusical::BitBtn_ecouteClick(const ReglagesMusique &reglages)
{
    m_clic = std::chrono::steady_clock::now();
    emit ecoute_permise(false);
    m_etat.num_essai += 1;
    try {
        const int taille_serie = platform::vers_entier(reglages.taille_serie);
        if (taille_serie < m_etat.num_essai) {
            // The series is over: the button stays disabled until a new user.
            platform::information(QStringLiteral("Plus de tests"));
            return;
        }
        // Blank lines are no melodies; a list without any still fails as an empty one.
        QStringList melodies = reglages.melodies;
        melodies.removeIf([](const QString &ligne) { return ligne.trimmed().isEmpty(); });
        const int k = m_etat.hasard.tirage(static_cast<int>(melodies.size()));
        ligne_melodie = sans_nom(melodies.value(k));
        m_rendu = trials::CompteRenduEssai{};
        m_rendu.debut_utc = QDateTime::currentDateTimeUtc();
        m_rendu.test = trials::TestEssai::musique;
        m_rendu.numero = m_etat.num_essai;
        m_rendu.melodie = ligne_melodie;
        m_rendu.decalage = reglages.decalage;
        joue(ligne_melodie, reglages.decalage, reglages.mode_incongruite);
    } catch (...) {
        // A test that could not start is not counted, and the next click may draw a good line.
        m_etat.num_essai -= 1;
        emit ecoute_permise(true);
        throw;
    }
}

void EssaiMusical::joue(const QString &s, const QString &decalage, int mode_incongruite)
{
    duree_base = duree_base_melodie;
    const PartiesMelodie parties = separe_rythme(s);
    const int tirage = m_etat.hasard.tirage(2);
    QString texte = parties.notes;
    if (tirage == 1) {
        const QString ecart = texte_decalage(decalage);
        if (mode_incongruite == static_cast<int>(ModeIncongru::fin))
            texte = insere_a_la_fin(texte, ecart);
        else if (mode_incongruite == static_cast<int>(ModeIncongru::aleatoire))
            texte = insere_au_hasard(texte, ecart, m_etat.hasard);
    }
    // Parsed whole before anything changes: a faulty shift leaves the state as it was.
    QVector<Note> analysees = analyse_notes(texte, duree_base);

    incongru = tirage;
    m_rendu.incongru = incongru == 1;
    m_rendu.place_incongruite = rang_note_decalee(parties.notes, texte);
    emit melodie_tiree(incongru == 1 ? QStringLiteral("Incongruité")
                                     : QStringLiteral("Pas d'incongruité"));
    notes = std::move(analysees);
    nb_notes = static_cast<int>(notes.size());
    note_courante = 0;
    flux = rend_melodie(notes, parties.rythme, duree_base);
    QStringList debuts;
    for (qint64 debut : flux.debuts)
        debuts << QString::number(debut);
    m_rendu.debuts_notes = debuts.join(u'/');
    debut_son_ms.reset();
    latence_sortie_ms.reset();
    m_en_cours = true;
    m_reponses_visibles = false;
    // A mark at each entry's first sample, and one at the stream's end.
    QVector<qint64> reperes = flux.debuts;
    reperes.append(flux.echantillons.size());
    m_sortie->joue(flux.echantillons, taux_ton, reperes);
}

void EssaiMusical::debut_du_son(std::chrono::steady_clock::time_point remis, double latence_ms)
{
    debut_son_ms = std::chrono::duration<double, std::milli>(remis - m_clic).count();
    latence_sortie_ms = latence_ms;
}

void EssaiMusical::Async_noteTimer()
{
    if (!m_en_cours || note_courante > nb_notes)
        return;
    note_courante += 1;
    if (note_courante > nb_notes) {
        emit reponses_montrees(); // shown and painted by its receiver
        m_reponses_montrees = std::chrono::steady_clock::now();
        m_reponses_visibles = true;
    }
}

void EssaiMusical::bit_rep1Click(const trials::ActeReponse &acte)
{
    reponse(false, acte);
}

void EssaiMusical::bit_rep2Click(const trials::ActeReponse &acte)
{
    reponse(true, acte);
}

void EssaiMusical::abandonne()
{
    m_sortie->ferme();
    if (!m_en_cours)
        return;
    m_en_cours = false;
    emit reponses_cachees();
    emit ecoute_permise(true);
}

void EssaiMusical::reponse(bool repondu_faux, const trials::ActeReponse &acte)
{
    if (!m_en_cours)
        return; // no melody awaits an answer: nothing to judge
    if (acte.facon == trials::FaconReponse::clavier
        && (!m_reponses_visibles
            || acte.quand + std::chrono::microseconds(500) <= m_reponses_montrees)) {
        ++m_rendu.touches_anticipees;
        return;
    }
    // Taken first: nothing done for the answer lengthens it.
    m_rendu.temps_reponse_ms =
            std::chrono::duration<double, std::milli>(acte.quand - m_reponses_montrees).count();
    m_en_cours = false;
    m_reponses_visibles = false;
    m_etat.rang_mot = incongru == 1 ? 1 : 2;
    m_etat.bonne_reponse = (incongru == 1) == repondu_faux;
    const int c = trials::categorie_essai(m_etat.rang_mot, m_etat.bonne_reponse);
    emit reponse_comptee(c);
    emit verdict(m_etat.bonne_reponse);
    m_rendu.reponse =
            repondu_faux ? QStringLiteral("C'était faux") : QStringLiteral("C'était juste");
    m_rendu.facon = acte.facon;
    m_rendu.categorie = c;
    m_rendu.correct = m_etat.bonne_reponse;
    m_rendu.debut_son_ms = debut_son_ms;
    m_rendu.latence_sortie_ms = latence_sortie_ms;
    emit essai_termine(m_rendu);
    emit ecoute_permise(true);
    emit reponses_cachees();
}

} // namespace fantrel::music

#include "trials/essai_mots.h"
#include "platform/interactions.h"
#include "trials/mesure_seuil.h"
#include "trials/reponses.h"
#include <algorithm>

namespace fantrel::trials {

namespace {
constexpr int attente_avant_flash_ms = 1000;
constexpr int attente_avant_reponse_ms = 1000;
} // namespace

EssaiMots::EssaiMots(EtatPartage &etat, AffichageEssai &affichage, QObject *parent)
    : QObject(parent), m_etat(etat), m_affichage(affichage)
{
}

double EssaiMots::ms_entre(const ImageMontree &avant, const ImageMontree &apres)
{
    return std::chrono::duration<double, std::milli>(apres.horodatage - avant.horodatage).count();
}

// A frame earlier than planned cuts the exposure short: a fault, as a late one is.
void EssaiMots::note_images(const ImageMontree &mot, const ImageMontree &suivante, int prevues)
{
    m_rendu.images = suivante.images;
    m_rendu.images_prevues = prevues;
    m_rendu.images_manquees = suivante.manquees + suivante.en_avance;
    m_rendu.horodatage_douteux = mot.douteuse || suivante.douteuse;
}

bool EssaiMots::en_mesure() const
{
    return m_mesure && m_mesure->en_cours();
}

void EssaiMots::BitBtn2Click()
{
    libere_rendu_retenu();
    emit essai_commence();
    const bool mesure = en_mesure();
    if (!mesure)
        ++m_etat.num_essai;
    const int numero = mesure ? m_mesure->numero_essai() : m_etat.num_essai;
    m_rendu = CompteRenduEssai{};
    m_rendu_retenu = false;
    m_rendu.debut_utc = QDateTime::currentDateTimeUtc();
    m_rendu.test = mesure ? TestEssai::seuil : test();
    m_rendu.numero = numero;
    m_etat.ligne_resultat.clear();
    if (m_etat.fin_liste && !mesure)
        return;
    // A threshold run goes round the list; the run's own numbers leave num_essai alone.
    const int k = mesure ? 1 + (numero - 1) % int(std::max<qsizetype>(1, m_etat.liste_mots.size()))
                         : numero;
    // A list opened mid-run may be shorter than the trials already made.
    if (k > m_etat.liste_mots.size()) {
        cache_boutons();
        return;
    }
    m_etat.rang_mot = rang_du_essai(numero);
    const Couple c = m_etat.couple(k);
    m_etat.mots[1] = c.mot1;
    m_etat.mots[2] = c.mot2;
    const QString montre = m_etat.mots[std::size_t(m_etat.rang_mot)];
    m_rendu.mot1 = c.mot1;
    m_rendu.mot2 = c.mot2;
    if (c.connote)
        m_rendu.connote = 1;
    m_rendu.mot_affiche = montre;
    emit mot_choisi(montre);
    // An empty pair flashes nothing and records nothing: the trial ends as "?" does.
    if (c.mot1.isEmpty() && c.mot2.isEmpty()) {
        cache_boutons();
        return;
    }
    m_etat.ligne_resultat = debut_ligne_resultat(montre);
    m_affichage.prepare_texte(montre);
    m_affichage.prepare_texte(m_etat.masque);
    m_en_cours = true;
    platform::attente(attente_avant_flash_ms);
    if (m_en_cours) // not abandoned during the wait
        lance_affichage(montre);
}

void EssaiMots::demande_reponse()
{
    if (!m_etat.essai_mire && m_en_cours) {
        platform::attente(attente_avant_reponse_ms);
        if (m_en_cours) // not abandoned during the wait
            offre_reponse();
    }
    m_etat.essai_mire = false;
}

void EssaiMots::offre_reponse()
{
    m_en_cours = false;
    if (m_mode == ModeReponse::comparaison) {
        const int r = 1 + m_etat.hasard.tirage(2);
        const auto [gauche, droite] = legendes_propositions(m_etat.mots[1], m_etat.mots[2], r);
        m_etat.ligne_resultat += propositions(m_etat.mots[1], m_etat.mots[2], r);
        m_rendu.proposition_gauche = gauche;
        m_rendu.proposition_droite = droite;
        emit propositions_montrees(gauche, droite);
    } else {
        emit saisie_demandee();
    }
    // The signals' receivers showed and painted the controls at once: they are
    // visible from here.
    m_commandes_montrees = std::chrono::steady_clock::now();
    m_attend_reponse = true;
}

// NOTE: held back by the waits, a key pressed before the controls comes after them:
// its own time stamp tells. The time is taken here, before any record or window.
bool EssaiMots::accepte(const ActeReponse &acte)
{
    const bool clavier = acte.facon == FaconReponse::clavier;
    // A stamp is the middle of its millisecond: early only when all of it is.
    const auto fin_horodatage = acte.quand + std::chrono::microseconds(500);
    if (clavier && (m_en_cours || (m_attend_reponse && fin_horodatage <= m_commandes_montrees))) {
        ++m_rendu.touches_anticipees;
        return false;
    }
    if (!m_attend_reponse)
        return false;
    m_rendu.temps_reponse_ms =
            std::chrono::duration<double, std::milli>(acte.quand - m_commandes_montrees).count();
    return true;
}

void EssaiMots::reponse_bouton(Cote cote, const ActeReponse &acte)
{
    if (m_mode == ModeReponse::comparaison && accepte(acte))
        enregistre_reponse(cote == Cote::gauche ? m_rendu.proposition_gauche
                                                : m_rendu.proposition_droite,
                           acte.facon);
}

// A typed answer is recorded and counted as a clicked one is, with the pair's
// proposals in their canonical order, so the results file keeps every answer.
void EssaiMots::reponse_saisie(const QString &tape, const ActeReponse &acte)
{
    if (accepte(acte))
        enregistre_reponse(tape, FaconReponse::saisie);
}

void EssaiMots::enregistre_reponse(const QString &reponse, FaconReponse facon)
{
    if (facon == FaconReponse::saisie)
        m_etat.ligne_resultat += propositions(m_etat.mots[1], m_etat.mots[2], 1);
    m_etat.ligne_resultat += QStringLiteral(" répondu=") + reponse;
    const bool mesure = m_rendu.test == TestEssai::seuil; // kept out of record and tallies
    if (!mesure)
        emit ligne_resultat(m_etat.ligne_resultat);
    m_etat.bonne_reponse = juge(reponse, m_etat.mots[std::size_t(m_etat.rang_mot)]);
    const int c = categorie_essai(m_etat.rang_mot, m_etat.bonne_reponse);
    if (!mesure)
        emit reponse_comptee(c, facon);
    emit verdict(m_etat.bonne_reponse);
    if (c != 0)
        m_rendu.categorie = c;
    m_rendu.correct = m_etat.bonne_reponse;
    if (!mesure)
        m_rendu.ligne_resultat = m_etat.ligne_resultat;
    termine(reponse, facon);
    cache_boutons();
}

// The trial's report, once the subject has acted on the answer controls.
void EssaiMots::termine(const QString &reponse, FaconReponse facon)
{
    if (!m_attend_reponse)
        return;
    m_attend_reponse = false;
    m_rendu.reponse = reponse;
    m_rendu.facon = facon;
    if (m_rendu.test == TestEssai::seuil && m_mesure)
        m_mesure->complete(m_rendu);
    m_rendu_retenu = !affichage_fini();
    if (!m_rendu_retenu)
        emit essai_termine(m_rendu);
}

void EssaiMots::affichage_mesure()
{
    libere_rendu_retenu();
}

void EssaiMots::libere_rendu_retenu()
{
    if (!m_rendu_retenu)
        return;
    m_rendu_retenu = false;
    emit essai_termine(m_rendu);
}

void EssaiMots::Bit_rep3Click(const ActeReponse &acte)
{
    if (!accepte(acte) && acte.facon == FaconReponse::clavier)
        return;
    if (m_attend_reponse && m_rendu.test != TestEssai::seuil)
        emit reponse_comptee(0, FaconReponse::je_ne_sais_pas);
    termine(QString(), FaconReponse::je_ne_sais_pas);
    cache_boutons();
}

void EssaiMots::abandonne()
{
    libere_rendu_retenu(); // answered: its line and tallies stand, so does its row
    m_en_cours = false;
    m_attend_reponse = false;
    arrete_affichage(); // the run's level gives way to the setting again
    if (m_mesure)
        m_mesure->abandonne();
}

void EssaiMots::cache_boutons()
{
    emit commandes_cachees();
    if (m_etat.num_essai < m_etat.nb_couples || m_rendu.test == TestEssai::seuil)
        return;
    m_etat.fin_liste = true;
    emit liste_finie();
    platform::information(QStringLiteral("Plus de mots"));
}

} // namespace fantrel::trials

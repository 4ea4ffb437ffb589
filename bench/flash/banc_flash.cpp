#include "banc_flash.h"
#include "app/affichage_mot.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/panneau_reglages.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "platform/minuteur_hr.h"
#include "engine3d/vue3d.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <random>

namespace fantrel::banc_flash {

namespace {

double en_ms(Horloge::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The form's settings, the list in the working folder.
QStringList param_formulaire()
{
    return { ".\\machin.liste_fantrel",
             "30 ms",
             "#####",
             "64",
             "64",
             "0",
             "0",
             "0,5",
             "15780518",
             "&&&&&&&&&&&",
             "67",
             "33",
             "33",
             "############",
             "67",
             "2",
             "+1/2" };
}

// French-looking words of 4 to 12 letters, accents included: every trial shows a
// word whose glyph mesh is not cached yet, as with a real list.
QStringList liste_couples(int nb_couples)
{
    static const QStringList syllabes = {
        QStringLiteral("ma"),  QStringLiteral("ré"),  QStringLiteral("ton"), QStringLiteral("pi"),
        QStringLiteral("lé"),  QStringLiteral("cha"), QStringLiteral("vou"), QStringLiteral("gne"),
        QStringLiteral("bri"), QStringLiteral("sel"), QStringLiteral("tê"),  QStringLiteral("four"),
        QStringLiteral("ça"),  QStringLiteral("dé"),  QStringLiteral("mon"), QStringLiteral("rue"),
        QStringLiteral("fla"), QStringLiteral("què"), QStringLiteral("nu"),  QStringLiteral("cor")
    };
    std::mt19937 graine(20240611);
    std::uniform_int_distribution<int> nombre(2, 4);
    std::uniform_int_distribution<int> syllabe(0, int(syllabes.size()) - 1);
    const auto mot = [&] {
        QString m;
        for (int k = nombre(graine); k > 0; --k)
            m += syllabes[syllabe(graine)];
        return m;
    };
    QStringList lignes;
    for (int i = 0; i < nb_couples; ++i)
        lignes << u'$' + mot() + QStringLiteral("  ") + mot();
    return lignes;
}

} // namespace

BancFlash::BancFlash(int nb_couples, int pause_ms) : m_pause_ms(pause_ms)
{
    m_seams->information = [this](const QString &t) { m_erreurs << t; };
    m_seams->erreur = [this](const QString &t) { m_erreurs << t; };
    m_seams->question = [](const QString &, bool) { return platform::Reponse::Non; };
    m_seams->ouvrir_fichier = [](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{};
    };
    m_seams->enregistrer_fichier = [](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{};
    };
    m_seams->attente = [this](int ms) { attente_banc(ms); };
    platform::ecrire_lignes(m_dossier.path() + QStringLiteral("/param.ini"), param_formulaire());
    platform::ecrire_lignes(m_dossier.path() + QStringLiteral("/machin.liste_fantrel"),
                            liste_couples(nb_couples));
    QDir::setCurrent(m_dossier.path());

    m_fenetres = std::make_unique<app::Fenetres>();
    m_form = m_fenetres->Form1.get();
    m_form->Timer_debut->stop();
    m_form->show();
    m_pret = QTest::qWaitForWindowExposed(m_form->affichage->vue_3d->fenetre_gl(), 5000);
    platform::proteger([this] { m_form->Timer_debutTimer(); });
    QTest::qWait(300);

    // The frame's stamp as the trials get it (on this display, the swap's return).
    m_form->affichage->observateur_affichage = [this](const QString &texte) {
        const trials::ImageMontree image = m_form->affichage->derniere_image();
        m_affichages.push_back({ texte, image.horodatage, image.images, image.manquees,
                                 rang_image ? rang_image() - 1 : -1 });
        if (apres_affichage)
            apres_affichage(m_affichages.size() - 1, m_affichages.back().rang);
    };
    for (platform::MinuteurHR *m : { m_form->korvane->AsyncTimer2, m_form->morbelle->Async_masque1,
                                     m_form->morbelle->Async_mot, m_form->morbelle->Async_blanc,
                                     m_form->morbelle->Async_masque2 })
        m->installEventFilter(this);
    m_affichages.reserve(16);
    m_livraisons.reserve(16);
}

BancFlash::~BancFlash()
{
    m_form->affichage->observateur_affichage = nullptr;
    m_fenetres.reset();
    QDir::setCurrent(m_ancien_dossier);
}

// The timer's thread hands its event over as a queued call: this is the moment the
// GUI thread takes it, just before the handler runs.
bool BancFlash::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::MetaCall)
        m_livraisons.push_back({ objet, Horloge::now() });
    return QObject::eventFilter(objet, evenement);
}

// The program's waits, real: the GUI thread stays in the event loop that holds user
// input back, as in the program. The one before the flash is cut short; the one that
// starts once the trial's first frame is on screen keeps its length, so the flash's
// timers fire inside it, as they do in the program.
void BancFlash::attente_banc(int ms)
{
    platform::attente_reelle(m_affichages.empty() ? std::min(ms, m_pause_ms) : ms);
}

QString BancFlash::priorites_minuteurs() const
{
    QStringList priorites;
    for (const platform::MinuteurHR *m :
         { m_form->korvane->AsyncTimer2, m_form->morbelle->Async_masque1,
           m_form->morbelle->Async_mot, m_form->morbelle->Async_blanc,
           m_form->morbelle->Async_masque2 }) {
        const bool dite = QTest::qWaitFor([m] { return !m->priorite().isEmpty(); }, 5000);
        priorites << m->objectName() + QStringLiteral(" : ")
                        + (dite ? m->priorite() : QStringLiteral("pas encore dite"));
    }
    return priorites.join(QStringLiteral(", "));
}

// Runs the event loop, sleeping between events, until the condition holds.
bool BancFlash::attendre(const std::function<bool()> &condition, int delai_ms, bool sans_saisie)
{
    QElapsedTimer chrono;
    chrono.start();
    QTimer garde; // wakes the loop at the deadline should nothing else come
    garde.setSingleShot(true);
    garde.start(delai_ms);
    const QEventLoop::ProcessEventsFlags drapeaux = sans_saisie
            ? QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents
            : QEventLoop::ProcessEventsFlags(QEventLoop::WaitForMoreEvents);
    while (!condition()) {
        if (chrono.elapsed() >= delai_ms)
            return false;
        QCoreApplication::processEvents(drapeaux);
    }
    return true;
}

bool BancFlash::reponse_demandee() const
{
    return m_form->commandes->bit_rep1->isVisible()
            || m_form->commandes->Edit_saisie_libre->isVisible();
}

void BancFlash::repond()
{
    platform::proteger([this] { m_form->Bit_rep3Click(); });
}

std::optional<Horloge::time_point> BancFlash::livraison_apres(const QObject *minuteur,
                                                              Horloge::time_point t) const
{
    for (const Livraison &l : m_livraisons)
        if (l.minuteur == minuteur && l.t >= t)
            return l.t;
    return std::nullopt;
}

void BancFlash::relance_liste()
{
    m_form->etat.num_essai = 0;
    m_form->etat.fin_liste = false;
    platform::proteger([this] { m_form->deroulement->ouvre_exercice(); });
}

void BancFlash::regle_korvane(int exposition_ms)
{
    platform::proteger([this] { m_form->Korvane1Click(); });
    m_form->reglages->Scroll_timer->setValue(exposition_ms);
    if (m_form->korvane->AsyncTimer2->intervalle() != exposition_ms)
        m_erreurs << QStringLiteral("exposition non réglée");
}

void BancFlash::regle_morbelle(const std::array<int, 4> &durees_ms)
{
    platform::proteger([this] { m_form->Morbelle1Click(); });
    const std::array<QScrollBar *, 4> barres{ m_form->reglages->Scroll_masque1,
                                              m_form->reglages->Scroll_mot,
                                              m_form->reglages->Scroll_blanc,
                                              m_form->reglages->Scroll_masque2 };
    for (std::size_t k = 0; k < 4; ++k)
        barres[k]->setValue(durees_ms[k]);
}

void BancFlash::oublie_affichages()
{
    m_affichages.clear();
    m_livraisons.clear();
}

std::optional<Flash> BancFlash::essai_korvane()
{
    m_affichages.clear();
    m_livraisons.clear();
    platform::proteger([this] { m_form->BitBtn2Click(); });
    if (!attendre([this] { return reponse_demandee(); }, 5000, false)) {
        m_erreurs << QStringLiteral("pas de réponse demandée");
        return std::nullopt;
    }
    const QString mot = m_form->etat.mots[std::size_t(m_form->etat.rang_mot)];
    const QString masque = m_form->etat.masque;
    const int exposition = m_form->korvane->AsyncTimer2->intervalle();
    repond();

    const auto du_mot = std::find_if(m_affichages.begin(), m_affichages.end(),
                                     [&](const Affichage &a) { return a.texte == mot; });
    const auto du_masque = std::find_if(du_mot, m_affichages.end(),
                                        [&](const Affichage &a) { return a.texte == masque; });
    if (du_masque == m_affichages.end())
        return std::nullopt;
    const auto livraison = livraison_apres(m_form->korvane->AsyncTimer2, du_mot->t);
    if (!livraison)
        return std::nullopt;
    Flash f;
    f.exposition = en_ms(du_masque->t - du_mot->t);
    f.retard = en_ms(*livraison - du_mot->t) - exposition;
    f.image = en_ms(du_masque->t - *livraison);
    f.images = du_masque->images;
    f.manquees = du_masque->manquees;
    f.rang_mot = du_mot->rang;
    f.rang_masque = du_masque->rang;
    return f;
}

std::optional<Chaine> BancFlash::essai_morbelle()
{
    m_affichages.clear();
    m_livraisons.clear();
    platform::proteger([this] { m_form->BitBtn2Click(); });
    const bool fini = attendre(
            [this] { return reponse_demandee() && m_affichages.size() >= affichages_chaine; }, 5000,
            false);
    const trials::EtatPartage &e = m_form->etat;
    const std::array<QString, affichages_chaine> attendus{ e.masque1, e.mot_morbelle, QString(),
                                                           e.masque2, QString() };
    const std::array<platform::MinuteurHR *, 4> minuteurs{ m_form->morbelle->Async_masque1,
                                                           m_form->morbelle->Async_mot,
                                                           m_form->morbelle->Async_blanc,
                                                           m_form->morbelle->Async_masque2 };
    repond();
    if (!fini || m_affichages.size() != affichages_chaine) {
        m_erreurs << QStringLiteral("chaîne incomplète");
        return std::nullopt;
    }
    for (std::size_t k = 0; k < affichages_chaine; ++k)
        if (m_affichages[k].texte != attendus[k])
            return std::nullopt;
    Chaine c;
    for (std::size_t k = 0; k < 4; ++k) {
        const auto livraison = livraison_apres(minuteurs[k], m_affichages[k].t);
        if (!livraison)
            return std::nullopt;
        c.duree[k] = en_ms(m_affichages[k + 1].t - m_affichages[k].t);
        c.retard[k] = en_ms(*livraison - m_affichages[k].t) - minuteurs[k]->intervalle();
        c.image[k] = en_ms(m_affichages[k + 1].t - *livraison);
        c.images[k] = m_affichages[k + 1].images;
        c.manquees[k] = m_affichages[k + 1].manquees;
    }
    for (std::size_t k = 0; k < affichages_chaine; ++k)
        c.rangs[k] = m_affichages[k].rang;
    return c;
}

} // namespace fantrel::banc_flash

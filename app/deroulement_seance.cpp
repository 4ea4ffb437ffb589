#include "app/deroulement_seance.h"
#include "app/affichage_mot.h"
#include "app/commandes_essai.h"
#include "app/fichier_param.h"
#include "app/groupe_exercice.h"
#include "app/journal_seance.h"
#include "app/reprise_seance.h"
#include "app/panneau_reglages.h"
#include "engine3d/controle_camera.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "platform/capacite_memo.h"
#include "platform/erreurs.h"
#include "platform/minuteur_hr.h"
#include "results/enregistrement.h"
#include "results/export_csv.h"
#include "results/modele_statistiques.h"
#include "results/fenetre_resultats_3d.h"
#include "results/groupe_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/liste_exercice.h"
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace fantrel::app {

void DeroulementSeance::demarre()
{
    m.etat.hasard.graine_horloge();
    m.etat.repertoire = QDir::currentPath();
    m.reglages_etendus = lit_reglages_etendus(
            QDir(m.etat.repertoire).filePath(QLatin1String(nom_reglages_etendus)));
    m.tableau.remet_compte_test();
    // A failing step shows its error and ends its own part only: the rows, the mask and
    // the timings are set whatever happens, or words would flash unmasked and answers go
    // uncounted, under no header.
    const bool reglages_lus = platform::proteger([this] { m.fichier_param.lire(); });
    m_courbe2->branche_barres_test();
    // After bad settings the view keeps its camera handlers and no list is opened.
    if (reglages_lus)
        m.affichage.controle_camera->detacher();
    prend_reglages_en_vigueur();
    bool liste_ouverte = false;
    if (reglages_lus) {
        m.OpenDialog1.nom_fichier = chemin_exercice(m.reglages.Edit1->text(), m.etat.repertoire);
        liste_ouverte = platform::proteger([this] { ouvre_exercice(); });
    }
    if (!liste_ouverte)
        m.affichage.pose_texte(m.etat.masque); // the mask stands, not the start-up word
    m_courbe2->recule_camera();
    commence_seance();
}

void DeroulementSeance::prend_reglages_en_vigueur()
{
    // The mask is the mask field's text: when the settings hold the form's own mask
    // the field never changed, and the 3D text still shows the start-up word.
    PanneauReglages &p = m.reglages;
    m.etat.masque = p.Edit_masque->text();
    // The exposure is the timer's (line 2, or its own 30 ms): the bar and its label
    // follow it, so that OK saves what is in effect.
    const int intervalle = m.korvane.AsyncTimer2->intervalle();
    p.definir_texte_intervalle(QString::number(intervalle) + QStringLiteral(" ms"));
    p.Scroll_timer->setValue(
            std::clamp(intervalle, p.Scroll_timer->minimum(), p.Scroll_timer->maximum()));
}

void DeroulementSeance::commence_seance()
{
    const std::optional<results::SeanceAReprendre> a_reprendre = m.journal.ouvre(m.etat.repertoire);
    // The refresh is measured once the window is on screen: the session row gets it then.
    m.journal.commence(m.fichier_param.lignes(), std::nullopt, m.korvane.AsyncTimer2->priorite());
    if (a_reprendre
        && platform::question(QStringLiteral("La séance précédente n'a pas été enregistrée. "
                                             "Récupérer ses réponses ?"))
                == platform::Reponse::Oui) {
        m.journal.suspend(true);
        rejoue_seance(*a_reprendre, m.tableau, m.groupe_resultats);
        m.journal.suspend(false);
        m.journal.note_evenement(results::Evenement::reprise(a_reprendre->seance.id));
        return;
    }
    m.tableau.cree_utilisateur(); // the sum row
    m.tableau.cree_utilisateur(); // Essai1, the current row
}

// ".\" (or "./") in the settings' list name stands for the start-up folder.
QString chemin_exercice(const QString &nom, const QString &repertoire)
{
    QString chemin = nom;
    qsizetype pos = chemin.indexOf(QStringLiteral(".\\"));
    if (pos < 0)
        pos = chemin.indexOf(QStringLiteral("./"));
    if (pos >= 0) {
        chemin.remove(pos, 1);
        chemin.insert(pos, repertoire);
    }
    return QDir::fromNativeSeparators(chemin.replace(u'\\', u'/'));
}

void DeroulementSeance::ouvre_exercice()
{
    platform::OptionsDialogue &dialogue = m.OpenDialog1;
    QString nom = dialogue.nom_fichier;
    if (nom.isEmpty()) {
        if (dialogue.repertoire_initial.isEmpty())
            dialogue.repertoire_initial = m.etat.repertoire;
        const platform::ResultatDialogue r = platform::interactions().ouvrir_fichier(dialogue);
        if (!r.accepte || r.nom_fichier.isEmpty())
            return;
        nom = r.nom_fichier;
        dialogue.nom_fichier = nom;
        dialogue.index_filtre = r.index_filtre;
    }
    QStringList lignes = platform::lire_lignes_memo(nom);
    m.tableau.remet_compte_test();
    for (trials::Couple &c : m.etat.liste_mots)
        c = trials::Couple{};
    trials::tri_liste(lignes, m.etat);
    m.GroupBox3.Memo1->setPlainText(lignes.join(u'\n'));
    m.GroupBox3.Memo1->repaint();
    m.reglages.Edit1->setText(trials::nom_sans_dossier(nom));
    m.reglages.Edit_masque->setText(trials::masque_derive(lignes.value(1), m.etat.masque));
    m.affichage.pose_texte(m.reglages.Edit_masque->text());
    m.GroupBox3.Memo1->window()->repaint();
    m.etat.fin_liste = false;
    m.commandes.permet_depart();
}

void DeroulementSeance::relance_exercice()
{
    m.etat.fin_liste = false;
    m.etat.num_essai = 0;
    if (m.etat.mode_musical)
        m.commandes.BitBtn_ecoute->setEnabled(true);
    else
        m.commandes.permet_depart();
    trials::melange_des_lignes(m.etat);
}

void DeroulementSeance::affich_liste(int n)
{
    m.GroupBox3.Memo1->clear();
    if (n == 0 || !m.tableau.rangee_existe(n))
        return;
    const results::RangeeTableau &rangee = m.tableau.rangee(n);
    m.GroupBox3.setTitle(QStringLiteral("Utilisateur ") + rangee.nom);
    QStringList lignes = m.groupe_resultats.reponses_listees(n);
    const QStringList resume = results::resume_statistiques(
            { rangee.nom, rangee.comptes_mots, rangee.comptes_musique });
    if (!resume.isEmpty())
        lignes << QString() << resume;
    m.GroupBox3.Memo1->setPlainText(lignes.join(QLatin1Char('\n')));
}

void DeroulementSeance::exporte_essais()
{
    platform::OptionsDialogue dialogue;
    dialogue.filtre = QStringLiteral("Essais de cette séance (CSV)|*.csv|"
                                     "Essais de toutes les séances (CSV)|*.csv");
    dialogue.extension_defaut = QStringLiteral("csv");
    dialogue.repertoire_initial = m.etat.repertoire;
    dialogue.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(dialogue);
    if (!choix.accepte)
        return;
    std::optional<qint64> seance;
    if (choix.index_filtre == 1)
        seance = m.journal.seance();
    results::exporte_csv(m.journal.chemin_base(), choix.nom_fichier, seance);
}

void DeroulementSeance::choisit_test(TypeTest test)
{
    const TypeTest avant = m.etat.mode_musical ? TypeTest::musique
            : m.etat.mode_morbelle             ? TypeTest::morbelle
                                               : TypeTest::korvane;
    m.etat.mode_morbelle = test == TypeTest::morbelle;
    m.etat.mode_musical = test == TypeTest::musique;
    if (test != avant) {
        m.essai_musical.abandonne();
        m.commandes.cache_reponses();
    }
    m.commandes.montre_test();
    switch (test) {
    case TypeTest::korvane:
        m.affichage.pose_texte(m.etat.masque);
        break;
    case TypeTest::morbelle:
        m.affichage.pose_texte(QString());
        break;
    case TypeTest::musique:
        m.affichage.texte_visible(false);
        m.essai_musical.ouvre_sortie();
        m.groupe_musical.charge_defaut(m.etat.repertoire);
        return;
    }
    m.affichage.texte_visible(true);
    if (test == TypeTest::morbelle)
        m.GroupBox3.Memo1->window()->repaint();
}

} // namespace fantrel::app

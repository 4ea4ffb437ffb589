#include "app/deroulement_seance.h"
#include "app/affichage_mot.h"
#include "app/aiguillage_essais.h"
#include "app/commandes_essai.h"
#include "app/dialogue_base_labo.h"
#include "app/fiche_participant.h"
#include "app/fichier_param.h"
#include "app/groupe_photodiode.h"
#include "app/groupe_exercice.h"
#include "app/journal_seance.h"
#include "app/liaison_labo.h"
#include "app/panneau_reglages.h"
#include "app/reprise_seance.h"
#include "base/dialecte_postgres.h"
#include "base/export_csv.h"
#include "music/groupe_musical.h"
#include "platform/capacite_memo.h"
#include "platform/erreurs.h"
#include "platform/interactions.h"
#include "results/fenetre_resultats_3d.h"
#include "results/modele_statistiques.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/liste_exercice.h"
#include <QDir>
#include <QFile>

namespace fantrel::app {

void DeroulementSeance::demarre()
{
    m.etat.hasard.graine_horloge();
    m.etat.repertoire = QDir::currentPath();
    m_reglages_etendus = lit_reglages_etendus(
            QDir(m.etat.repertoire).filePath(QLatin1String(nom_reglages_etendus)));
    reprend_photodiode();
    m.tableau.remet_compte_test();
    // A failing step shows its error and ends its own part only: the rows, the mask and
    // the timings are set whatever happens, or words would flash unmasked and answers go
    // uncounted, under no header.
    const bool reglages_lus = platform::proteger([this] { m.fichier_param.lire(); });
    m_courbe2->branche_barres_test();
    // After bad settings the view keeps its camera handlers and no list is opened.
    if (reglages_lus)
        m.affichage.fige_camera();
    prend_reglages_en_vigueur();
    bool liste_ouverte = false;
    if (reglages_lus) {
        m.OpenDialog1.nom_fichier =
                chemin_exercice(m.reglages.fichier_exercice(), m.etat.repertoire);
        liste_ouverte = platform::proteger([this] { ouvre_exercice(); });
    }
    if (!liste_ouverte)
        m.affichage.pose_texte(m.etat.masque); // the mask stands, not the start-up word
    m_courbe2->recule_camera();
    commence_seance();
    m.labo.demarre(m.journal.chemin_base(), m_reglages_etendus.uri_labo);
}

void DeroulementSeance::reprend_photodiode()
{
    const ReglagesEtendus &r = m_reglages_etendus;
    m.reglages.photodiode->montre(r);
    m.affichage.definir_photodiode(r.photodiode, r.taille_photodiode, r.coin_photodiode);
}

// NOTE: a file that cannot be written keeps the square in effect for this session only.
void DeroulementSeance::sauve_photodiode()
{
    m.reglages.photodiode->reporte(m_reglages_etendus);
    if (!ecrit_reglages_etendus(
                QDir(m.etat.repertoire).filePath(QLatin1String(nom_reglages_etendus)),
                m_reglages_etendus))
        platform::montre_erreur(QStringLiteral("Impossible de créer le fichier %1")
                                        .arg(QLatin1String(nom_reglages_etendus)));
}

void DeroulementSeance::prend_reglages_en_vigueur()
{
    // The mask is the mask field's text: when the settings hold the form's own mask
    // the field never changed, and the 3D text still shows the start-up word.
    m.etat.masque = m.reglages.masque();
    // The exposure is the timer's (line 2, or its own 30 ms): the bar and its label
    // follow it, so that OK saves what is in effect.
    m.reglages.montre_exposition(m.korvane.exposition_ms());
}

void DeroulementSeance::commence_seance()
{
    m.journal.ouvre(m.etat.repertoire);
    importe_secours(); // first: a session whose end a rescue file holds is not offered
    const QVector<base::SeanceAReprendre> a_reprendre = m.journal.seances_a_reprendre();
    // Each unsaved session, the oldest first: the answer is recorded either way, so
    // that it is asked once.
    QVector<const base::SeanceAReprendre *> reprises;
    QVector<qint64> refusees;
    IdentiteSeance identite{ m_reglages_etendus.station,
                             QString::number(m.etat.hasard.graine_posee()), {} };
    for (const base::SeanceAReprendre &seance : a_reprendre) {
        if (platform::question(QStringLiteral("La séance précédente n'a pas été enregistrée. "
                                              "Récupérer ses réponses ?"))
            == platform::Reponse::Oui) {
            reprises << &seance;
            identite.reprise_de << seance.seance.uuid;
        } else {
            refusees << seance.seance.id;
        }
    }
    // The refresh when already measured (else the session row gets it when it is).
    m.journal.commence(m.fichier_param.lignes(), m.affichage.frequence_ecran_hz(),
                       m.korvane.priorite_minuteur(), identite);
    for (const qint64 id : refusees)
        m.journal.note_evenement(base::Evenement::reprise_refusee(id));
    if (!reprises.isEmpty()) {
        for (const base::SeanceAReprendre *seance : reprises) {
            m.journal.suspend(true);
            const QHash<int, QString> participants = rejoue_seance(*seance, m.tableau, m.record);
            m.journal.suspend(false);
            m.journal.adopte(participants, seance->participants);
            m.journal.note_evenement(base::Evenement::reprise(seance->seance.id));
        }
        return;
    }
    m.tableau.cree_utilisateur(); // the sum row
    m.tableau.cree_utilisateur(); // Essai1, the current row
}

// Trials a quit could not write into the base, kept in rescue files beside it.
void DeroulementSeance::importe_secours()
{
    for (const QString &fichier : m.journal.fichiers_secours()) {
        if (platform::question(
                    QStringLiteral("Des essais n'avaient pas pu être enregistrés dans la base à "
                                   "la fin d'une séance ; ils ont été gardés dans %1. Les "
                                   "importer dans la base ?")
                            .arg(QDir::toNativeSeparators(fichier)))
            != platform::Reponse::Oui)
            continue;
        platform::proteger([&] {
            m.journal.importe(fichier);
            // Kept, under a name that is not offered again.
            QFile::rename(fichier, QString(fichier).replace(QStringLiteral("-non-enregistres-"),
                                                            QStringLiteral("-importes-")));
        });
    }
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
    m.GroupBox3.montre_liste(lignes);
    m.reglages.definir_fichier_exercice(trials::nom_sans_dossier(nom));
    m.reglages.definir_masque(trials::masque_derive(lignes.value(1), m.etat.masque));
    m.affichage.pose_texte(m.reglages.masque());
    m.GroupBox3.window()->repaint();
    m.etat.fin_liste = false;
    m.commandes.permet_depart();
}

void DeroulementSeance::relance_exercice()
{
    m.etat.fin_liste = false;
    m.etat.num_essai = 0;
    if (m.aiguillage.test() == trials::TestEssai::musique)
        m.commandes.permet_ecoute();
    else
        m.commandes.permet_depart();
    trials::melange_des_lignes(m.etat);
}

void DeroulementSeance::affich_liste(int n)
{
    m.GroupBox3.vide();
    if (n == 0 || !m.tableau.rangee_existe(n))
        return;
    const results::RangeeTableau &rangee = m.tableau.rangee(n);
    QStringList lignes = m.record.reponses_listees(n);
    const QStringList resume = results::resume_statistiques(
            { rangee.nom, rangee.comptes_mots, rangee.comptes_musique, rangee.saisies_mots,
              rangee.je_ne_sais_pas },
            m_reglages_etendus.echelle_a_priori);
    if (!resume.isEmpty())
        lignes << QString() << resume;
    m.GroupBox3.montre_reponses(rangee.nom, lignes);
}

void DeroulementSeance::exporte_essais()
{
    platform::OptionsDialogue dialogue;
    dialogue.filtre = QStringLiteral("Essais de cette séance (CSV)|*.csv|"
                                     "Essais de toutes les séances (CSV)|*.csv|"
                                     "Essais de cette séance (CSV pour tableur (France))|*.csv|"
                                     "Essais de toutes les séances (CSV pour tableur (France))|*.csv");
    if (m.labo.adresse())
        dialogue.filtre += QStringLiteral(
                "|Essais de toutes les stations (base du laboratoire) (CSV)|*.csv|"
                "Essais de toutes les stations (base du laboratoire) (CSV pour tableur "
                "(France))|*.csv");
    dialogue.extension_defaut = QStringLiteral("csv");
    dialogue.repertoire_initial = m.etat.repertoire;
    dialogue.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(dialogue);
    if (!choix.accepte)
        return;
    const int i = choix.index_filtre; // from 1: pairs of R/pandas then French spreadsheet
    const auto forme = (i == 3 || i == 4 || i == 6) ? platform::FormeCsv::tableur_france
                                                    : platform::FormeCsv::r_pandas;
    if (i >= 5 && m.labo.adresse()) {
        base::exporte_csv(base::uri_labo(*m.labo.adresse(), true), choix.nom_fichier,
                          std::nullopt, forme, base::dialecte_postgres());
        return;
    }
    std::optional<qint64> seance;
    if (i % 2 == 1)
        seance = m.journal.seance();
    base::exporte_csv(m.journal.chemin_base(), choix.nom_fichier, seance, forme);
}

void DeroulementSeance::regle_base_labo()
{
    DialogueBaseLabo dialogue(m.GroupBox3.window());
    const std::optional<base::AdresseLabo> &en_vigueur = m.labo.adresse();
    dialogue.montre(m_reglages_etendus.uri_labo, m_reglages_etendus.station,
                    en_vigueur ? en_vigueur->mot_de_passe : QString());
    if (dialogue.exec() != QDialog::Accepted)
        return;
    ReglagesEtendus r = m_reglages_etendus;
    r.uri_labo = dialogue.uri_lue();
    r.station = dialogue.station_lue();
    const bool nouveau_mot = !dialogue.mot_de_passe_lu().isEmpty()
            && (!en_vigueur || dialogue.mot_de_passe_lu() != en_vigueur->mot_de_passe);
    if (nouveau_mot)
        m.labo.donne_mot_de_passe(dialogue.mot_de_passe_lu());
    if (r.uri_labo != m_reglages_etendus.uri_labo || nouveau_mot)
        m.labo.demarre(m.journal.chemin_base(), r.uri_labo);
    if (r == m_reglages_etendus)
        return;
    m_reglages_etendus = r;
    const QString chemin = QDir(m.etat.repertoire).filePath(QLatin1String(nom_reglages_etendus));
    if (!ecrit_reglages_etendus(chemin, r))
        platform::montre_erreur(QStringLiteral("Impossible de créer le fichier %1").arg(chemin));
}

void DeroulementSeance::edite_fiche()
{
    const int n = m.tableau.util_courant();
    if (n < 1 || !m.tableau.rangee_existe(n))
        return;
    FicheParticipant fiche(m.GroupBox3.window());
    fiche.montre(m.journal.participant_courant());
    if (fiche.exec() != QDialog::Accepted)
        return;
    const base::Participant lue = fiche.lue();
    if (lue.code != m.tableau.rangee(n).nom)
        m.tableau.renomme(n, lue.code); // the row, its record header and its participant
    m.journal.modifie_fiche(lue);
}

void DeroulementSeance::termine()
{
    QString secours;
    if (!platform::proteger([&] { secours = m.journal.termine(); }))
        return;
    if (!secours.isEmpty())
        platform::montre_erreur(
                QStringLiteral("Des essais n'ont pas pu être enregistrés dans la base. Ils ont "
                               "été gardés dans %1 ; la base pourra les importer au prochain "
                               "démarrage.")
                        .arg(QDir::toNativeSeparators(secours)));
}

void DeroulementSeance::ecrit_touches(const ReglagesEtendus &reglages)
{
    if (reglages == m_reglages_etendus)
        return;
    m_reglages_etendus = reglages;
    const QString chemin = QDir(m.etat.repertoire).filePath(QLatin1String(nom_reglages_etendus));
    if (!ecrit_reglages_etendus(chemin, reglages))
        platform::montre_erreur(QStringLiteral("Impossible d'écrire le fichier %1").arg(chemin));
}

void DeroulementSeance::choisit_test(trials::TestEssai test)
{
    using trials::TestEssai;
    if (m.aiguillage.choisit(test))
        m.commandes.cache_reponses();
    m.commandes.montre_test();
    switch (test) {
    case TestEssai::korvane:
    case TestEssai::seuil: // never the test in use: a run of the first paradigm's trials
        m.affichage.pose_texte(m.etat.masque);
        break;
    case TestEssai::morbelle:
        m.affichage.pose_texte(QString());
        break;
    case TestEssai::musique:
        m.affichage.texte_visible(false);
        m.groupe_musical.charge_defaut(m.etat.repertoire);
        return;
    }
    m.affichage.texte_visible(true);
    if (test == TestEssai::morbelle)
        m.GroupBox3.window()->repaint();
}

} // namespace fantrel::app

#include "wordpairs/dialogues_listes.h"
#include "platform/interactions.h"
#include "wordpairs/listes_couples.h"

namespace fantrel::wordpairs {

namespace {

platform::OptionsDialogue dialogue(const QString &repertoire, const QString &extension,
                                   const QString &filtre, bool enregistrer)
{
    platform::OptionsDialogue options;
    options.filtre = filtre;
    options.extension_defaut = extension;
    options.repertoire_initial = repertoire;
    options.nom_fichier = QStringLiteral("*.") + extension;
    options.confirmer_ecrasement = enregistrer;
    return options;
}

} // namespace

DialoguesListes::DialoguesListes(ListesCouples &listes, const QString &repertoire)
    : m_listes(listes), m_repertoire(repertoire)
{
}

void DialoguesListes::sauve_utilisateur()
{
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(
            dialogue(m_repertoire, QStringLiteral("liste_fantrel"),
                     QStringLiteral("Exercices subliminaux|*.liste_fantrel"), true));
    m_sauvegarde_faite = choix.accepte;
    if (choix.accepte)
        m_listes.ecrit_utilisateur(choix.nom_fichier);
}

void DialoguesListes::charge_utilisateur()
{
    if (m_listes.liste_modifiee()) {
        const platform::Reponse reponse =
                platform::question(QStringLiteral("Sauver la liste des mots choisis ?"));
        if (reponse == platform::Reponse::Oui)
            sauve_utilisateur();
        if (reponse != platform::Reponse::Non)
            return;
    }
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(
            dialogue(m_repertoire, QStringLiteral("liste_fantrel"), QString(), false));
    if (choix.accepte)
        m_listes.lit_utilisateur(choix.nom_fichier);
}

void DialoguesListes::sauve_logiciel()
{
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(
            dialogue(m_repertoire, QStringLiteral("select_log"),
                     QStringLiteral("Exercices subliminaux|*.select_log"), true));
    if (choix.accepte)
        m_listes.ecrit_logiciel(choix.nom_fichier);
}

void DialoguesListes::charge_logiciel()
{
    const platform::OptionsDialogue options =
            dialogue(m_repertoire, QStringLiteral("select_log"),
                     QStringLiteral("Mots sélectionnés logiciel|*.select_log"), false);
    if (m_listes.liste_logiciel_a_sauver()) {
        const platform::Reponse reponse =
                platform::question(QStringLiteral("Sauver la liste logiciel ?"));
        if (reponse == platform::Reponse::Oui)
            sauve_logiciel();
        if (reponse == platform::Reponse::Annuler
            || (reponse == platform::Reponse::Oui && m_listes.liste_logiciel_a_sauver()))
            return;
    }
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(options);
    if (choix.accepte)
        m_listes.lit_logiciel(choix.nom_fichier);
}

// NOTE: asks before replacing an existing file, as every other save of the tool does.
void DialoguesListes::sauve_trouves()
{
    platform::OptionsDialogue options;
    options.repertoire_initial = m_repertoire;
    options.nom_fichier = m_repertoire + QStringLiteral("/*.txt");
    options.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(options);
    if (choix.accepte)
        m_listes.ecrit_trouves(choix.nom_fichier);
}

bool DialoguesListes::fermeture_permise()
{
    if (!m_listes.liste_modifiee())
        return true;
    switch (platform::question(
            QStringLiteral("Sauver la liste des mots choisis par l'utilisateur ?"))) {
    case platform::Reponse::Oui:
        sauve_utilisateur();
        return m_sauvegarde_faite;
    case platform::Reponse::Non:
        return true;
    case platform::Reponse::Annuler:
        break;
    }
    return false;
}

} // namespace fantrel::wordpairs

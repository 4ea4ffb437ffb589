// The lists side of the word-pair window: moving pairs between the software's
// list and the user's list, their files, and the questions before unsaved work
// is lost.
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/capacite_memo.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include "wordpairs/listes_selection.h"
#include <QLabel>

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

// Changes Memo3 from the program without counting it as the user's typing.
class EcritureMemo3
{
public:
    explicit EcritureMemo3(bool &drapeau) : m_drapeau(drapeau) { m_drapeau = true; }
    ~EcritureMemo3() { m_drapeau = false; }
    EcritureMemo3(const EcritureMemo3 &) = delete;
    EcritureMemo3 &operator=(const EcritureMemo3 &) = delete;

private:
    bool &m_drapeau;
};

} // namespace

void TForm_choix_mots::Memo1MouseDown()
{
    if (Memo1->document()->isEmpty())
        return;
    const Plage ligne = Memo1->ligne_du_curseur();
    debut_ligne1 = ligne.debut;
    fin_ligne1 = ligne.fin;
    Memo1->selectionne(debut_ligne1, fin_ligne1);
}

void TForm_choix_mots::Memo3MouseDown()
{
    if (Memo3->document()->isEmpty())
        return;
    const Plage ligne = Memo3->ligne_du_curseur();
    debut_ligne3 = ligne.debut;
    fin_ligne3 = ligne.fin;
    Memo3->selectionne(debut_ligne3, fin_ligne3);
}

void TForm_choix_mots::Memo1DblClick()
{
    const QString t = Memo1->texte_entre(debut_ligne1, fin_ligne1);
    if (t.isEmpty() || t.contains(QStringLiteral("--")))
        return;
    {
        EcritureMemo3 ecriture(m_ecriture_memo3);
        Memo3->ajoute_ligne(t);
    }
    liste_modifiee = true;
    affiche_nb_choisis();
    const int k = Memo1->cherche_ligne(t, true);
    if (k >= 0)
        Memo1->remplace_ligne(k, marque(t));
    Memo1->selectionne(debut_ligne1, debut_ligne1);
}

void TForm_choix_mots::Memo3DblClick()
{
    const QString t = Memo3->texte_entre(debut_ligne3, fin_ligne3);
    if (t.isEmpty())
        return;
    // Only the marked line of this very pair gets its bare form back (a line
    // merely containing it, such as a longer pair's, stays as it is).
    const int marquee = Memo1->cherche_ligne(marque(t), true);
    if (marquee >= 0)
        Memo1->remplace_ligne(marquee, t);
    const int k = Memo3->cherche_ligne(t, true);
    if (k >= 0) {
        {
            EcritureMemo3 ecriture(m_ecriture_memo3);
            Memo3->supprime_ligne(k);
        }
        affiche_nb_choisis();
        liste_modifiee = true;
    }
    if (Memo3->nb_lignes() > 0) {
        const int place = std::min(debut_ligne3, Memo3->document()->characterCount() - 1);
        Memo3->selectionne(place, place);
    }
}

// NOTE: the "Sélection" buttons change the user's list as the double-clicks do,
// so they count it as changed and refresh its count too.
void TForm_choix_mots::SpeedButton3Click()
{
    bool change = false;
    for (const QString &t : Memo1->lignes_selection()) {
        if (t.isEmpty() || t.contains(QStringLiteral("----")))
            continue;
        {
            EcritureMemo3 ecriture(m_ecriture_memo3);
            Memo3->ajoute_ligne(t);
        }
        const int k = Memo1->cherche_ligne(t, false);
        if (k >= 0)
            Memo1->remplace_ligne(k, marque(t));
        change = true;
    }
    if (change) {
        liste_modifiee = true;
        affiche_nb_choisis();
    }
}

void TForm_choix_mots::SpeedButton4Click()
{
    bool change = false;
    for (const QString &t : Memo3->lignes_selection()) {
        if (t.isEmpty())
            continue;
        Memo1->remplace_lignes_egales(marque(t), t);
        const int k = Memo3->cherche_ligne(t, true);
        if (k >= 0) {
            EcritureMemo3 ecriture(m_ecriture_memo3);
            Memo3->supprime_ligne(k);
            change = true;
        }
    }
    if (change) {
        liste_modifiee = true;
        affiche_nb_choisis();
    }
}

void TForm_choix_mots::Speed_sauve_selectClick()
{
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(
            dialogue(m_repertoire, QStringLiteral("liste_fantrel"),
                     QStringLiteral("Exercices subliminaux|*.liste_fantrel"), true));
    sauvegarde_faite = choix.accepte;
    if (!choix.accepte)
        return;
    platform::ecrire_lignes(choix.nom_fichier, Memo3->lignes());
    liste_modifiee = false;
}

void TForm_choix_mots::Speed_charge_selectClick()
{
    if (liste_modifiee) {
        const platform::Reponse reponse =
                platform::question(QStringLiteral("Sauver la liste des mots choisis ?"));
        if (reponse == platform::Reponse::Oui)
            Speed_sauve_selectClick();
        if (reponse != platform::Reponse::Non)
            return;
    }
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(
            dialogue(m_repertoire, QStringLiteral("liste_fantrel"), QString(), false));
    if (!choix.accepte)
        return;
    const QStringList lignes = platform::lire_lignes_memo(choix.nom_fichier);
    {
        EcritureMemo3 ecriture(m_ecriture_memo3);
        Memo3->remplace_tout(lignes);
    }
    Lab_fic_mots_choisis->setText(choix.nom_fichier);
    Lab_fic_mots_choisis->show();
    const QStringList avant = Memo1->lignes();
    const QStringList apres = marque_choisis(avant, lignes);
    for (int k = 0; k < avant.size(); ++k)
        if (apres[k] != avant[k])
            Memo1->remplace_ligne(k, apres[k]);
}

void TForm_choix_mots::SpeedButton1Click()
{
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(
            dialogue(m_repertoire, QStringLiteral("select_log"),
                     QStringLiteral("Exercices subliminaux|*.select_log"), true));
    if (!choix.accepte)
        return;
    QStringList lignes = Memo1->lignes();
    for (QString &ligne : lignes)
        ligne = sans_marque(ligne);
    platform::ecrire_lignes(choix.nom_fichier, lignes);
    liste_logiciel_a_sauver = false;
}

void TForm_choix_mots::SpeedButton2Click()
{
    const platform::OptionsDialogue options =
            dialogue(m_repertoire, QStringLiteral("select_log"),
                     QStringLiteral("Mots sélectionnés logiciel|*.select_log"), false);
    if (liste_logiciel_a_sauver) {
        const platform::Reponse reponse =
                platform::question(QStringLiteral("Sauver la liste logiciel ?"));
        if (reponse == platform::Reponse::Oui)
            SpeedButton1Click();
        if (reponse == platform::Reponse::Annuler
            || (reponse == platform::Reponse::Oui && liste_logiciel_a_sauver))
            return;
    }
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(options);
    if (!choix.accepte)
        return;
    Memo1->remplace_tout(platform::lire_lignes_memo(choix.nom_fichier));
    Lab_fic_mots_selectionnes->setText(choix.nom_fichier);
    Lab_fic_mots_selectionnes->show();
}

// NOTE: asks before replacing an existing file, as every other save of the tool does.
void TForm_choix_mots::Sauver1Click()
{
    platform::OptionsDialogue options;
    options.repertoire_initial = m_repertoire;
    options.nom_fichier = m_repertoire + QStringLiteral("/*.txt");
    options.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(options);
    if (choix.accepte)
        platform::ecrire_lignes(choix.nom_fichier, Memo1->lignes());
}

bool TForm_choix_mots::FormCloseQuery()
{
    if (!liste_modifiee)
        return true;
    switch (platform::question(
            QStringLiteral("Sauver la liste des mots choisis par l'utilisateur ?"))) {
    case platform::Reponse::Oui:
        Speed_sauve_selectClick();
        return sauvegarde_faite;
    case platform::Reponse::Non:
        return true;
    case platform::Reponse::Annuler:
        break;
    }
    return false;
}

} // namespace fantrel::wordpairs

// The file commands of the word-pair tool's two lists, with their dialogs and the
// questions asked before unsaved work is lost: the "Sauver" / "Lire" buttons of
// each list, "Sauver les mots trouvés" and the closing of the window. The files
// themselves are ListesCouples' business; the dialogs and questions go through
// the platform's seams (so tests answer them), no widget here.
#pragma once
#include <QString>

namespace fantrel::wordpairs {

class ListesCouples;

class DialoguesListes
{
public:
    // `repertoire`: the start-up folder, read when a dialog opens.
    DialoguesListes(ListesCouples &listes, const QString &repertoire);

    // "Sauver" of the user's list (SaveDialog2): an exercise list.
    void sauve_utilisateur();
    // "Lire" of the user's list: asks first about unsaved changes (Yes saves and
    // stops there), then OpenDialog2.
    void charge_utilisateur();
    // "Sauver" of the software's list (SaveDialog3): a ".select_log".
    void sauve_logiciel();
    // "Lire" of the software's list: asks first about unsaved search results (Yes
    // saves, and the load goes on only if that save took place), then OpenDialog3.
    void charge_logiciel();
    // "Sauver les mots trouvés" (SaveDialog1): the software's lines with their marks.
    void sauve_trouves();
    // The window may close: nothing unsaved in the user's list, or the user said
    // No, or Yes and confirmed the save dialog.
    bool fermeture_permise();

    // The last save dialog of the user's list was confirmed.
    bool sauvegarde_faite() const { return m_sauvegarde_faite; }

private:
    ListesCouples &m_listes;
    const QString &m_repertoire;
    bool m_sauvegarde_faite = false;
};

} // namespace fantrel::wordpairs

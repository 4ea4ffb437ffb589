#include "platform/boites_dialogue.h"
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>

namespace fantrel::platform {

namespace {

QPointer<QWidget> &fenetre_parente()
{
    static QPointer<QWidget> parente;
    return parente;
}

QWidget *parente_des_boites()
{
    QWidget *parente = fenetre_parente();
    return parente ? parente : QApplication::activeWindow();
}

QString titre_application()
{
    const QString nom = QGuiApplication::applicationDisplayName();
    return nom.isEmpty() ? QStringLiteral("Fantrel") : nom;
}

void information_reelle(const QString &texte)
{
    QMessageBox::information(parente_des_boites(), titre_application(), texte);
}

void erreur_reelle(const QString &texte)
{
    QMessageBox::critical(parente_des_boites(), QStringLiteral("Erreur"), texte);
}

Reponse question_reelle(const QString &texte, bool avec_annuler)
{
    QMessageBox::StandardButtons boutons = QMessageBox::Yes | QMessageBox::No;
    if (avec_annuler)
        boutons |= QMessageBox::Cancel;
    const auto choix = QMessageBox::question(parente_des_boites(), titre_application(), texte,
                                             boutons, QMessageBox::Yes);
    if (choix == QMessageBox::Yes)
        return Reponse::Oui;
    if (choix == QMessageBox::No || !avec_annuler)
        return Reponse::Non;
    return Reponse::Annuler;
}

ResultatDialogue dialogue_fichier(const OptionsDialogue &options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialogue(parente_des_boites(), options.titre, options.repertoire_initial);
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setAcceptMode(mode);
    dialogue.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    dialogue.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmer_ecrasement);
    const QStringList filtres = filtres_qt(options.filtre);
    if (!filtres.isEmpty()) {
        dialogue.setNameFilters(filtres);
        const int index = std::clamp(options.index_filtre, 1, int(filtres.size()));
        dialogue.selectNameFilter(filtres[index - 1]);
    }
    if (!options.extension_defaut.isEmpty())
        dialogue.setDefaultSuffix(options.extension_defaut);
    // A proposed name that is a pattern only narrows the list, as the filter already does.
    if (!options.nom_fichier.isEmpty() && !options.nom_fichier.contains(u'*')
        && !options.nom_fichier.contains(u'?'))
        dialogue.selectFile(options.nom_fichier);

    ResultatDialogue resultat;
    resultat.index_filtre = options.index_filtre;
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return resultat;
    resultat.accepte = true;
    resultat.nom_fichier = dialogue.selectedFiles().constFirst();
    const qsizetype index = filtres.indexOf(dialogue.selectedNameFilter());
    if (index >= 0)
        resultat.index_filtre = int(index) + 1;
    return resultat;
}

} // namespace

Interactions interactions_reelles()
{
    Interactions reelles;
    reelles.information = information_reelle;
    reelles.erreur = erreur_reelle;
    reelles.question = question_reelle;
    reelles.ouvrir_fichier = [](const OptionsDialogue &o) {
        return dialogue_fichier(o, QFileDialog::AcceptOpen);
    };
    reelles.enregistrer_fichier = [](const OptionsDialogue &o) {
        return dialogue_fichier(o, QFileDialog::AcceptSave);
    };
    reelles.attente = attente_reelle;
    reelles.sortie_son = sortie_silencieuse;
    return reelles;
}

void definir_fenetre_parente(QWidget *parent)
{
    fenetre_parente() = parent;
}

} // namespace fantrel::platform

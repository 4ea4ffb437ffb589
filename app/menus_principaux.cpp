// The main window's menu bar: every entry in its menu and order, with its object name,
// its caption and the handler it triggers.
#include "app/fenetre_principale.h"
#include "platform/liaison.h"
#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace fantrel::app {

namespace {

// The menus' entries, in their order: which menu, object name, caption, member, handler.
struct EntreeMenu
{
    int menu; // 0 Fichier, 1 its submenu Type d'exercice, 2 Courbes, 3 Type de test, 4 Options
    const char *nom;
    const char *texte;
    QAction *TForm1::*action;
    void (TForm1::*gestionnaire)();
};
const EntreeMenu entrees_menus[] = {
    { 0, "Ouvrirunexercice1", "Ouvrir un exercice", &TForm1::Ouvrirunexercice1,
      &TForm1::Ouvrirunexercice1Click },
    { 0, "ouvrirunrsultat1", "Ouvrir un résultat", &TForm1::ouvrirunrsultat1,
      &TForm1::ouvrirunrsultat1Click },
    { 0, "rierdesmots1", "Trier des  mots", &TForm1::rierdesmots1, &TForm1::rierdesmots1Click },
    { 0, "Sauverlesparamtres1", "Enregistrer les paramètres", &TForm1::Sauverlesparamtres1,
      &TForm1::Sauverlesparamtres1Click },
    { 0, "Enregistrerlesrsultats1", "Enregistrer les résultats", &TForm1::Enregistrerlesrsultats1,
      &TForm1::Enregistrerlesrsultats1Click },
    { 0, "Exporterlesessais1", "Exporter les essais (CSV)…", &TForm1::Exporterlesessais1,
      &TForm1::Exporterlesessais1Click },
    { 0, "Nouvelutilisateur1", "Nouvel utilisateur", &TForm1::Nouvelutilisateur1,
      &TForm1::Nouvelutilisateur1Click },
    { 0, "Fichedeparticipant1", "Fiche du participant…", &TForm1::Fichedeparticipant1,
      &TForm1::Fichedeparticipant1Click },
    { 1, "Comparaisondemots1", "Comparaison de mots", &TForm1::Comparaisondemots1,
      &TForm1::Comparaisondemots1Click },
    { 1, "Saisielibre1", "Saisie libre", &TForm1::Saisielibre1, &TForm1::Saisielibre1Click },
    { 0, "Quitter1", "Quitter", &TForm1::Quitter1, &TForm1::Quitter1Click },
    { 2, "Courbe11", "Courbe1", &TForm1::Courbe11, &TForm1::Courbe1Click },
    { 2, "Courbe22", "Afficher", &TForm1::Courbe22, &TForm1::Courbe21Click },
    { 2, "Statistiques1", "Statistiques", &TForm1::Statistiques1, &TForm1::Statistiques1Click },
    { 2, "Graphiquedesparticipants1", "Graphique des participants",
      &TForm1::Graphiquedesparticipants1, &TForm1::Graphiquedesparticipants1Click },
    { 2, "outeffacer1", "Tout effacer", &TForm1::outeffacer1, &TForm1::outeffacer1Click },
    { 3, "Korvane1", "Korvane", &TForm1::Korvane1, &TForm1::Korvane1Click },
    { 3, "Morbelle1", "Morbelle", &TForm1::Morbelle1, &TForm1::Morbelle1Click },
    { 3, "Incongruitmusicale1", "Incongruité musicale", &TForm1::Incongruitmusicale1,
      &TForm1::Incongruitmusicale1Click },
    { 4, "Rglages1", "Réglages", &TForm1::Rglages1, &TForm1::Rglages1Click },
    { 4, "Modevisible1", "Mode visible", &TForm1::Modevisible1, &TForm1::Modevisible1Click },
    { 4, "Verifierlaffichage1", "Vérifier l'affichage…", &TForm1::Verifierlaffichage1,
      &TForm1::Verifierlaffichage1Click },
    { 4, "Mesurerleseuil1", "Mesurer le seuil…", &TForm1::Mesurerleseuil1,
      &TForm1::Mesurerleseuil1Click },
    { 4, "Basedulaboratoire1", "Base du laboratoire…", &TForm1::Basedulaboratoire1,
      &TForm1::Basedulaboratoire1Click },
};

} // namespace

void TForm1::construit_menus()
{
    auto menu = [this](const char *nom, const QString &titre) {
        QMenu *m = menuBar()->addMenu(titre);
        m->setObjectName(QString::fromLatin1(nom));
        return m;
    };
    QMenu *fichier = menu("Fichier1", QStringLiteral("Fichier"));
    auto *type_exercice = new QMenu(QStringLiteral("Type d'exercice"), fichier);
    QMenu *const menus[] = { fichier, type_exercice, menu("Courbes1", QStringLiteral("Courbes")),
                             menu("Typedetest1", QStringLiteral("Type de test")),
                             menu("Options1", QStringLiteral("Options")) };
    for (const EntreeMenu &e : entrees_menus) {
        QAction *a = menus[e.menu]->addAction(QString::fromUtf8(e.texte));
        a->setObjectName(QString::fromLatin1(e.nom));
        platform::relie(a, &QAction::triggered, this, e.gestionnaire);
        this->*e.action = a;
    }
    // The submenu stands between "Nouvel utilisateur" and "Quitter".
    ypedexercice1 = fichier->insertMenu(Quitter1, type_exercice);
    ypedexercice1->setObjectName(QStringLiteral("ypedexercice1"));
    Courbe11->setVisible(false);
    // A click toggles a checkable item before its handler runs; every handler sets
    // its marks itself, so a handler called from code behaves as a click does.
    for (QAction *a : { Comparaisondemots1, Saisielibre1, Courbe22, Korvane1, Morbelle1,
                        Incongruitmusicale1, Modevisible1 })
        a->setCheckable(true);
    Comparaisondemots1->setChecked(true);
    Korvane1->setChecked(true);
}

} // namespace fantrel::app

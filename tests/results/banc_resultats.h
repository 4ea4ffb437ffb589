// The results windows as the main window wires them: the record group, the 3D
// results window, the exercise box and the "Afficher" entry, started as at
// program start-up (sum row, then Essai1).
#pragma once
#include "platform/application.h"
#include "engine3d/boite.h"
#include "engine3d/camera.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "results/fenetre_resultats_3d.h"
#include "results/groupe_resultats.h"
#include "results/record_resultats.h"
#include "results/texte_memo.h"
#include "results/enregistrement.h"
#include "results/tableau_resultats.h"
#include "trials/reponses.h"
#include <QAction>
#include <QFile>
#include <QTest>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QVector4D>
#include <QWidget>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <memory>

namespace fantrel {

inline platform::OptionsDialogue dialogue_ouverture()
{
    platform::OptionsDialogue d;
    d.filtre = QStringLiteral("Fichiers textes|*.txt|Exercices "
                              "subliminaux|*.liste_fantrel|Fichiers résultats *.res|*.res");
    return d;
}

struct BancResultats
{
    std::unique_ptr<QWidget> principale = std::make_unique<QWidget>();
    platform::OptionsDialogue OpenDialog1 = dialogue_ouverture();
    results::TableauResultats tableau;
    results::RecordResultats record_resultats{ tableau };
    results::GroupeResultats *groupe =
            new results::GroupeResultats(record_resultats, OpenDialog1, principale.get());
    QGroupBox *GroupBox3 = new QGroupBox(QStringLiteral("Fichier exercice"), principale.get());
    QPlainTextEdit *Memo1 = new QPlainTextEdit(GroupBox3);
    QAction *Courbe22 = new QAction(QStringLiteral("Afficher"), principale.get());
    std::unique_ptr<results::TForm_courbe2> courbe2 =
            std::make_unique<results::TForm_courbe2>(tableau);
    int relances = 0;

    // Wired as the main window wires it: a new user restarts the exercise, a
    // Ctrl+click on a bar lists the user's answers, "Afficher" follows the window.
    explicit BancResultats(bool demarre = true)
    {
        Courbe22->setCheckable(true);
        QObject::connect(&tableau, &results::TableauResultats::utilisateur_cree, principale.get(),
                         [this] { ++relances; });
        QObject::connect(courbe2.get(), &results::TForm_courbe2::liste_demandee, principale.get(),
                         [this](int n) { liste(n); });
        QObject::connect(courbe2.get(), &results::TForm_courbe2::affichage_change, Courbe22,
                         &QAction::setChecked);
        if (demarre)
            demarrage();
    }

    void liste(int n)
    {
        Memo1->clear();
        if (n == 0 || !tableau.rangee_existe(n))
            return;
        GroupBox3->setTitle(QStringLiteral("Utilisateur ") + tableau.rangee(n).nom);
        Memo1->setPlainText(groupe->reponses_listees(n).join(u'\n'));
    }

    // The start-up steps of the main window: test bars, camera, rows 0 and 1.
    void demarrage()
    {
        courbe2->branche_barres_test();
        courbe2->recule_camera();
        tableau.cree_utilisateur();
        tableau.cree_utilisateur();
    }

    // One answered trial as the answer buttons do it: the line, then the counts.
    void essai(const QString &montre, const QString &autre, bool premier, const QString &repondu)
    {
        const QString mot1 = premier ? montre : autre;
        const QString mot2 = premier ? autre : montre;
        groupe->ajoute_ligne(QStringLiteral("Mot affiché=%1 prop=$%2 %3 répondu=%4")
                                     .arg(montre, mot1, mot2, repondu));
        tableau.compte(trials::categorie_essai(premier ? 1 : 2, repondu == montre),
                       results::GenreTest::mots);
    }

    // Row n's four counts set as a results file would set them (rows 1.. named
    // Essai1…, the sum row untouched unless n = 0), drawn at once.
    void pose_comptes(int n, const results::Comptes &comptes)
    {
        results::PlanLecture plan;
        plan.nb_entetes = n;
        for (int k = 1; k <= n; ++k)
            plan.rangees.append(
                    { QStringLiteral("Essai%1").arg(k), k == n ? comptes : results::Comptes{} });
        if (n == 0)
            plan.somme = comptes;
        tableau.charge(plan);
    }

    QStringList record() const { return groupe->lignes(); }
    results::ObjetsRangee &rangee(int n) { return courbe2->tab_util[n]; }
    QList<int> comptes(int n)
    {
        const results::Comptes c = tableau.rangee(n).comptes();
        return { c[1], c[2], c[3], c[4] };
    }
    QStringList noms()
    {
        QStringList n;
        for (int r = 1; r <= std::min(tableau.nb_util(), results::nb_max_util); ++r)
            n << tableau.rangee(r).nom;
        return n;
    }
};

// Where a scene point shows in the view, in widget pixels.
inline QPoint pixel_de(engine3d::Vue3D *vue, const QVector3D &point)
{
    const engine3d::Camera &camera = vue->scene().camera();
    const QVector4D clip =
            camera.matrice_projection(vue->size()) * camera.matrice_vue() * QVector4D(point, 1);
    const double x = (clip.x() / clip.w() + 1) / 2 * vue->width();
    const double y = (1 - clip.y() / clip.w()) / 2 * vue->height();
    return QPoint(int(x), int(y));
}

// A pixel of the view where a click picks `objet` (its 3 by 3 square shows it
// nearest), searched around the object's place on the screen; a null point when none.
inline QPoint pixel_sur(engine3d::Vue3D *vue, const engine3d::Objet *objet)
{
    const QPoint origine = pixel_de(vue, objet->position());
    for (int dy = -25; dy <= 25; ++dy)
        for (int dx = -10; dx <= 60; ++dx) {
            const QPoint p = origine + QPoint(dx, dy);
            if (vue->pique(p, 0) == objet && vue->pique(p, 1) == objet)
                return p;
        }
    return {};
}

// The bytes of a file ("<illisible>" when it cannot be read), and a file written raw.
inline QByteArray octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

inline void ecrit(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

// Everything a failed reading must leave as it was.
struct Etat
{
    QStringList record, noms;
    QList<QList<int>> comptes;
    int nb_util = 0, util_courant = 0, objets = 0;
    bool visible = false, modifie = false;

    static Etat de(BancResultats &b)
    {
        Etat e{ b.record(),
                b.noms(),
                {},
                b.tableau.nb_util(),
                b.tableau.util_courant(),
                int(b.courbe2->vue->scene().objets().size()),
                b.courbe2->isVisible(),
                b.groupe->record_modifie() };
        for (int n = 0; n <= std::min(b.tableau.nb_util(), results::nb_max_util); ++n)
            e.comptes << b.comptes(n);
        return e;
    }
    bool operator==(const Etat &) const = default;
};

// Answer lines of the pair fiel (first) / fier, one per category 1..4.
inline const QString c1 = "Mot affiché=fiel prop=$fiel fier répondu=fiel";
inline const QString c2 = "Mot affiché=fiel prop=fier $fiel répondu=fier";
inline const QString c3 = "Mot affiché=fier prop=fier $fiel répondu=fier";
inline const QString c4 = "Mot affiché=fier prop=$fiel fier répondu=fiel";

} // namespace fantrel

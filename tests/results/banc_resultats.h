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
#include "results/texte_memo.h"
#include "trials/etat_partage.h"
#include <QAction>
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
    trials::EtatPartage etat;
    std::unique_ptr<QWidget> principale = std::make_unique<QWidget>();
    results::GroupeResultats *groupe = new results::GroupeResultats(principale.get());
    QGroupBox *GroupBox3 = new QGroupBox(QStringLiteral("Fichier exercice"), principale.get());
    QPlainTextEdit *Memo1 = new QPlainTextEdit(GroupBox3);
    QAction *Courbe22 = new QAction(QStringLiteral("Afficher"), principale.get());
    platform::OptionsDialogue OpenDialog1 = dialogue_ouverture();
    std::unique_ptr<results::TForm_courbe2> courbe2 =
            std::make_unique<results::TForm_courbe2>(etat);
    int relances = 0;

    explicit BancResultats(bool demarre = true)
    {
        Courbe22->setCheckable(true);
        results::LienPrincipal lien;
        lien.Memo_enreg_test = groupe->Memo_enreg_test;
        lien.Memo1 = Memo1;
        lien.GroupBox3 = GroupBox3;
        lien.Courbe22 = Courbe22;
        lien.relance_exercice = [this] {
            ++relances;
            etat.fin_liste = false;
            etat.num_essai = 0;
        };
        courbe2->relier(lien);
        groupe->relier(courbe2.get(), &OpenDialog1);
        if (demarre)
            demarrage();
    }

    // Start-up steps 7, 13 and 14 of the main window.
    void demarrage()
    {
        courbe2->branche_barres_test();
        courbe2->recule_camera();
        courbe2->nb_util = -1;
        courbe2->creation_util();
        courbe2->creation_util();
    }

    // One answered trial as the answer buttons do it: the line, then the counts.
    void essai(const QString &montre, const QString &autre, bool premier, const QString &repondu)
    {
        const QString mot1 = premier ? montre : autre;
        const QString mot2 = premier ? autre : montre;
        groupe->ajoute_ligne(QStringLiteral("Mot affiché=%1 prop=$%2 %3 répondu=%4")
                                     .arg(montre, mot1, mot2, repondu));
        etat.rang_mot = premier ? 1 : 2;
        etat.bonne_reponse = repondu == montre;
        courbe2->compte_reponse(true);
    }

    QStringList record() const { return groupe->lignes(); }
    results::RangeeResultat &rangee(int n) { return courbe2->tab_util[n]; }
    QList<int> comptes(int n)
    {
        const results::Comptes &c = rangee(n).comptes;
        return { c[1], c[2], c[3], c[4] };
    }
    QStringList noms()
    {
        QStringList n;
        for (int r = 1; r <= std::min(courbe2->nb_util, results::nb_max_util); ++r)
            n << rangee(r).nom();
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

} // namespace fantrel

// A word-pair window on a word base of its own, in a temporary folder, with its
// length buttons made and the window shown.
#pragma once
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <memory>

struct FenetreEssai
{
    QTemporaryDir dossier;
    QString repertoire = dossier.path();
    std::unique_ptr<fantrel::wordpairs::TForm_choix_mots> fenetre;

    // Without a base when `base` is empty.
    explicit FenetreEssai(const QStringList &base = {})
    {
        if (!base.isEmpty())
            fantrel::platform::ecrire_lignes(repertoire + "/tout.txt", base);
        fenetre = std::make_unique<fantrel::wordpairs::TForm_choix_mots>(repertoire);
        fenetre->Timer_debutTimer();
        fenetre->show();
        fenetre->activateWindow();
        (void)QTest::qWaitForWindowExposed(fenetre.get());
    }

    fantrel::wordpairs::TForm_choix_mots *operator->() { return fenetre.get(); }

    void filtres(bool coches)
    {
        for (QCheckBox *c : { fenetre->Check_s, fenetre->Check_accent, fenetre->check_non_der,
                              fenetre->check_non_prem, fenetre->Check_participes })
            c->setChecked(coches);
    }

    void cherche_classe(int longueur)
    {
        fenetre->boutons_longueur[std::size_t(longueur)]->setChecked(true);
        fenetre->BitBtn1->setFocus();
        fenetre->BitBtn1Click();
    }

    // The boxes show the two lists as the data holds them.
    void boites_a_jour()
    {
        QCOMPARE(fenetre->Memo1->lignes(), fenetre->listes().logiciel());
        QCOMPARE(fenetre->Memo3->lignes(), fenetre->listes().utilisateur());
    }

    // Where to click on line `ligne` of a list: on its first letter, or far right.
    static QPoint point_ligne(fantrel::wordpairs::ListeMemo *memo, int ligne, bool a_droite = false)
    {
        const QRect r = memo->cursorRect(QTextCursor(memo->document()->findBlockByNumber(ligne)));
        return { a_droite ? memo->viewport()->width() - 8 : r.left() + 2, r.center().y() };
    }

    // As the mouse does it: a press (and release), then the double-click.
    static void double_clic(fantrel::wordpairs::ListeMemo *memo, int ligne)
    {
        const QPoint point = point_ligne(memo, ligne);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, point);
    }
};

inline QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// Records the file dialogs and questions, answers them as told.
struct Coutures
{
    fantrel::platform::RemplacementInteractions remplacement;
    QList<fantrel::platform::OptionsDialogue> enregistrements;
    QList<fantrel::platform::OptionsDialogue> ouvertures;
    QStringList questions;
    QString fichier; // chosen in the next dialog; empty: cancelled
    fantrel::platform::Reponse reponse = fantrel::platform::Reponse::Non;

    Coutures()
    {
        auto choisit = [this](QList<fantrel::platform::OptionsDialogue> &journal) {
            return [this, &journal](const fantrel::platform::OptionsDialogue &o) {
                journal.append(o);
                fantrel::platform::ResultatDialogue r;
                r.accepte = !fichier.isEmpty();
                r.nom_fichier = fichier;
                return r;
            };
        };
        remplacement->enregistrer_fichier = choisit(enregistrements);
        remplacement->ouvrir_fichier = choisit(ouvertures);
        remplacement->question = [this](const QString &texte, bool) {
            questions.append(texte);
            return reponse;
        };
    }
};

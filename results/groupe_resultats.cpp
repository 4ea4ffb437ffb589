#include "results/groupe_resultats.h"
#include "platform/capacite_memo.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "platform/liaison.h"
#include "results/enregistrement.h"
#include "results/tableau_resultats.h"
#include "results/texte_memo.h"
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

namespace fantrel::results {

namespace {

QToolButton *bouton(QWidget *parent, const char *nom, QRect place)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(nom));
    b->setGeometry(place);
    b->setAutoRaise(true);
    return b;
}

} // namespace

GroupeResultats::GroupeResultats(TableauResultats &tableau, platform::OptionsDialogue &OpenDialog1,
                                 QWidget *parent)
    : QGroupBox(QStringLiteral("Fichier résultats"), parent),
      m_tableau(tableau),
      m_OpenDialog1(OpenDialog1)
{
    setObjectName(QStringLiteral("Group_result"));
    setGeometry(728, 48, 283, 225);

    Memo_enreg_test = new QPlainTextEdit(this);
    Memo_enreg_test->setObjectName(QStringLiteral("Memo_enreg_test"));
    Memo_enreg_test->setAccessibleName(title());
    Memo_enreg_test->setGeometry(8, 20, 267, 191);
    Memo_enreg_test->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_enreg_test->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_enreg_test->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_debut_rangees = QTextCursor(Memo_enreg_test->document());

    SpeedButton5 = bouton(this, "SpeedButton5", QRect(207, 1, 22, 18));
    SpeedButton5->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton5->setToolTip(QStringLiteral("Ouvrir un résultat"));
    // Icons only: unnamed, they would be read by the group's title.
    SpeedButton5->setAccessibleName(SpeedButton5->toolTip());
    Speed_sauve_result = bouton(this, "Speed_sauve_result", QRect(231, 1, 22, 18));
    Speed_sauve_result->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Speed_sauve_result->setToolTip(QStringLiteral("Enregistrer les résultats"));
    Speed_sauve_result->setAccessibleName(Speed_sauve_result->toolTip());
    SpeedButton4 = bouton(this, "SpeedButton4", QRect(257, 1, 22, 18));
    SpeedButton4->setText(QStringLiteral("X"));
    SpeedButton4->setAccessibleDescription(QStringLiteral("Fermer « Fichier résultats »"));

    // Opening and saving may fail: their errors stop in relie(), not in Qt's code.
    platform::relie(SpeedButton5, &QToolButton::clicked, this, &GroupeResultats::SpeedButton5Click);
    platform::relie(Speed_sauve_result, &QToolButton::clicked, this,
                    &GroupeResultats::Speed_sauve_resultClick);
    platform::relie(SpeedButton4, &QToolButton::clicked, this, &GroupeResultats::SpeedButton4Click);

    // Headers of new users (not of a file's rows, already in the record), renames.
    // A user past the 20th row has no row but still a header: the record must say
    // whose answers follow (read back, they then count in the sum row only).
    connect(&tableau, &TableauResultats::utilisateur_cree, this,
            [this](int n, OrigineUtilisateur origine) {
                if (n <= 0 || origine == OrigineUtilisateur::fichier)
                    return;
                ajoute_entete(TableauResultats::nom_initial(n));
                if (n == 1) // at start-up, after "Tout effacer", after a file without header
                    m_debut_rangees =
                            QTextCursor(Memo_enreg_test->document()->lastBlock().previous());
            });
    connect(&tableau, &TableauResultats::rangee_renommee, this,
            [this](int n, const QString &nom, bool depuis_fichier) {
                if (n > 0 && !depuis_fichier)
                    renomme_entete(n, nom);
            });

    SaveDialog1.filtre = QStringLiteral("fichiers résultats *.res|*.res");
    SaveDialog1.confirmer_ecrasement = true;
    // A name typed without ".res" gets it: "Ouvrir un résultat" lists "*.res" only.
    SaveDialog1.extension_defaut = QStringLiteral("res");
    hide();
}

void GroupeResultats::ajoute_entete(const QString &nom)
{
    results::ajoute_entete(Memo_enreg_test, nom);
}

qsizetype GroupeResultats::index_entete_rangee(int n) const
{
    return index_entete(lignes(), n, m_debut_rangees.block().blockNumber());
}

void GroupeResultats::renomme_entete(int n, const QString &nom)
{
    const qsizetype i = index_entete_rangee(n);
    if (i >= 0)
        remplace_ligne(Memo_enreg_test, i, nom);
}

QStringList GroupeResultats::reponses_listees(int n) const
{
    return reponses_de_section(lignes(), index_entete_rangee(n));
}

QStringList GroupeResultats::lignes() const
{
    return lignes_memo(Memo_enreg_test);
}

void GroupeResultats::ajoute_ligne(const QString &ligne)
{
    fantrel::results::ajoute_ligne(Memo_enreg_test, ligne);
}

bool GroupeResultats::record_modifie() const
{
    return Memo_enreg_test->document()->isModified();
}

void GroupeResultats::marque_enregistre()
{
    Memo_enreg_test->document()->setModified(false);
}

bool GroupeResultats::peut_abandonner_record()
{
    if (!record_modifie())
        return true;
    switch (platform::question(QStringLiteral("Enregistrer les résultats ?"), true)) {
    case platform::Reponse::Oui:
        return Speed_sauve_resultClick();
    case platform::Reponse::Non:
        return true;
    case platform::Reponse::Annuler:
        break;
    }
    return false;
}

bool GroupeResultats::enregistre(const QString &chemin)
{
    const QStringList texte = lignes();
    const bool fait = platform::proteger([&] { platform::ecrire_lignes(chemin, texte); });
    if (fait) {
        marque_enregistre();
        emit fichier_enregistre(chemin);
    }
    return fait;
}

void GroupeResultats::charge_lignes(const QStringList &lignes)
{
    remplace_lignes(Memo_enreg_test, lignes);
    m_debut_rangees = QTextCursor(Memo_enreg_test->document()); // a row per header
    m_tableau.charge(plan_lecture(lignes));
}

void GroupeResultats::marque_modifie()
{
    Memo_enreg_test->document()->setModified(true);
}

bool GroupeResultats::lit(const QString &chemin)
{
    // Everything that can fail happens before the record or the rows are touched.
    return platform::proteger([&] {
        const QStringList lues = platform::lire_lignes_memo(chemin);
        charge_lignes(lues);
        emit fichier_lu(chemin, lues);
    });
}

bool GroupeResultats::Speed_sauve_resultClick()
{
    const platform::ResultatDialogue choix =
            platform::interactions().enregistrer_fichier(SaveDialog1);
    if (!choix.accepte)
        return false;
    SaveDialog1.nom_fichier = choix.nom_fichier;
    SaveDialog1.index_filtre = choix.index_filtre;
    return enregistre(choix.nom_fichier);
}

bool GroupeResultats::SpeedButton5Click()
{
    // The file replaces the record: unsaved answers are offered for saving first.
    if (!peut_abandonner_record())
        return false;
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(m_OpenDialog1);
    if (!choix.accepte)
        return false;
    m_OpenDialog1.nom_fichier = choix.nom_fichier;
    m_OpenDialog1.index_filtre = choix.index_filtre;
    return lit(choix.nom_fichier);
}

bool GroupeResultats::ouvrirunrsultat1Click()
{
    m_OpenDialog1.nom_fichier.clear();
    m_OpenDialog1.index_filtre = 3;
    return SpeedButton5Click();
}

void GroupeResultats::SpeedButton4Click()
{
    hide();
}

} // namespace fantrel::results

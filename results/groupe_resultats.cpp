#include "results/groupe_resultats.h"
#include "platform/liaison.h"
#include "results/record_resultats.h"
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QStyle>
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

GroupeResultats::GroupeResultats(RecordResultats &record, platform::OptionsDialogue &OpenDialog1,
                                 QWidget *parent)
    : QGroupBox(QStringLiteral("Fichier résultats"), parent),
      m_record(record),
      m_OpenDialog1(OpenDialog1)
{
    setObjectName(QStringLiteral("Group_result"));
    setGeometry(728, 48, 283, 225);

    Memo_enreg_test = new QPlainTextEdit(this);
    // The box shows the record's own text: what is typed there is in the record at once.
    QTextDocument *texte = record.document();
    texte->setDefaultFont(Memo_enreg_test->document()->defaultFont());
    texte->setDocumentLayout(new QPlainTextDocumentLayout(texte));
    Memo_enreg_test->setDocument(texte);
    // A record gone first (a test's bench) leaves the box a text of its own.
    connect(&record, &QObject::destroyed, Memo_enreg_test,
            [memo = Memo_enreg_test] { memo->setDocument(nullptr); });
    connect(&record, &RecordResultats::fin_atteinte, this, &GroupeResultats::montre_fin);
    Memo_enreg_test->setObjectName(QStringLiteral("Memo_enreg_test"));
    Memo_enreg_test->setAccessibleName(title());
    Memo_enreg_test->setGeometry(8, 20, 267, 191);
    Memo_enreg_test->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_enreg_test->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_enreg_test->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

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

    SaveDialog1.filtre = QStringLiteral("fichiers résultats *.res|*.res");
    SaveDialog1.confirmer_ecrasement = true;
    // A name typed without ".res" gets it: "Ouvrir un résultat" lists "*.res" only.
    SaveDialog1.extension_defaut = QStringLiteral("res");
    hide();
}

void GroupeResultats::montre_fin()
{
    Memo_enreg_test->moveCursor(QTextCursor::End);
    Memo_enreg_test->ensureCursorVisible();
}

QStringList GroupeResultats::lignes() const
{
    return m_record.lignes();
}

void GroupeResultats::ajoute_ligne(const QString &ligne)
{
    m_record.ajoute_ligne(ligne);
}

QStringList GroupeResultats::reponses_listees(int n) const
{
    return m_record.reponses_listees(n);
}

bool GroupeResultats::record_modifie() const
{
    return m_record.modifie();
}

bool GroupeResultats::enregistre(const QString &chemin)
{
    return m_record.enregistre(chemin);
}

bool GroupeResultats::lit(const QString &chemin)
{
    return m_record.lit(chemin);
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

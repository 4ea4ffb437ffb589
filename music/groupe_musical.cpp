#include "music/groupe_musical.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/liaison.h"
#include "platform/capacite_memo.h"
#include <QFont>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>

namespace fantrel::music {

namespace {

const QString filtre_melodies = QStringLiteral("*.mus|*.mus");

QToolButton *petit_bouton(QWidget *parent, const QString &nom, int x)
{
    auto *bouton = new QToolButton(parent);
    bouton->setObjectName(nom);
    bouton->setGeometry(x, 0, 23, 22);
    bouton->setAutoRaise(true);
    bouton->setFocusPolicy(Qt::NoFocus);
    return bouton;
}

} // namespace

GroupeMusical::GroupeMusical(QWidget *parent) : QGroupBox(QStringLiteral("Fichier musical"), parent)
{
    setObjectName(QStringLiteral("Group_musical"));
    setFixedSize(393, 336);

    Memo_music = new QPlainTextEdit(this);
    Memo_music->setObjectName(QStringLiteral("Memo_music"));
    Memo_music->setAccessibleName(title());
    Memo_music->setGeometry(8, 24, 377, 304);
    Memo_music->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_music->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_music->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_music->setFont(QFont(QStringLiteral("Small Fonts"), 7));

    SpeedButton7 = petit_bouton(this, QStringLiteral("SpeedButton7"), 312);
    SpeedButton7->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton7->setToolTip(QStringLiteral("Ouvrir"));
    // Icons only: unnamed, they would be read by the group's title.
    SpeedButton7->setAccessibleName(SpeedButton7->toolTip());
    SpeedButton8 = petit_bouton(this, QStringLiteral("SpeedButton8"), 336);
    SpeedButton8->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton8->setToolTip(QStringLiteral("Enregistrer"));
    SpeedButton8->setAccessibleName(SpeedButton8->toolTip());
    SpeedButton9 = petit_bouton(this, QStringLiteral("SpeedButton9"), 364);
    SpeedButton9->setText(QStringLiteral("X"));
    SpeedButton9->setAccessibleDescription(QStringLiteral("Fermer « Fichier musical »"));

    platform::relie(SpeedButton7, &QToolButton::clicked, this, &GroupeMusical::SpeedButton7Click);
    platform::relie(SpeedButton8, &QToolButton::clicked, this, &GroupeMusical::SpeedButton8Click);
    platform::relie(SpeedButton9, &QToolButton::clicked, this, &GroupeMusical::SpeedButton9Click);
}

QStringList GroupeMusical::melodies() const
{
    return platform::decoupe_lignes(Memo_music->toPlainText());
}

void GroupeMusical::charge(const QString &chemin)
{
    const QStringList lignes = platform::lire_lignes_memo(chemin);
    Memo_music->setPlainText(lignes.join(u'\n'));
}

void GroupeMusical::sauve(const QString &chemin) const
{
    // The raw text keeps what the file held: toPlainText() would turn no-break
    // spaces into blanks. Its block and line breaks are the file's line ends.
    QString texte = Memo_music->document()->toRawText();
    texte.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    texte.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    platform::ecrire_texte(chemin, texte);
}

void GroupeMusical::charge_defaut(const QString &repertoire)
{
    if (Memo_music->document()->isEmpty())
        charge(repertoire + QStringLiteral("/melodies.mus"));
}

void GroupeMusical::SpeedButton7Click()
{
    platform::OptionsDialogue options;
    options.filtre = filtre_melodies;
    const platform::ResultatDialogue choix = platform::interactions().ouvrir_fichier(options);
    if (choix.accepte)
        charge(choix.nom_fichier);
}

void GroupeMusical::SpeedButton8Click()
{
    platform::OptionsDialogue options;
    options.filtre = filtre_melodies;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(options);
    if (choix.accepte)
        sauve(choix.nom_fichier);
}

void GroupeMusical::SpeedButton9Click()
{
    hide();
}

} // namespace fantrel::music

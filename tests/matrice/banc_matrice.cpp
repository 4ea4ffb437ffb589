#include "banc_matrice.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "wordpairs/fenetre_couples.h"
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QWidget>

using namespace fantrel;

namespace matrice {

QString nom_cas(Cas cas)
{
    switch (cas) {
    case Cas::manquant:
        return QStringLiteral("manquant");
    case Cas::vide:
        return QStringLiteral("vide");
    case Cas::dossier:
        return QStringLiteral("dossier");
    case Cas::binaire:
        return QStringLiteral("binaire");
    case Cas::gros:
        return QStringLiteral("50 Mo");
    case Cas::utf8:
        return QStringLiteral("UTF-8 accentué");
    case Cas::windows1252:
        return QStringLiteral("Windows-1252 accentué");
    case Cas::cr_seul:
        return QStringLiteral("CR seuls");
    case Cas::nul:
        return QStringLiteral("octet NUL");
    case Cas::illisible:
        return QStringLiteral("sans droit de lecture");
    }
    return {};
}

namespace {

void ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        qFatal("matrice: cannot write %s", qPrintable(chemin));
}

QByteArray joint(const QStringList &lignes, const char *fin)
{
    QByteArray octets;
    for (const QString &l : lignes)
        octets += platform::encode_windows1252(l) + fin;
    return octets;
}

} // namespace

QByteArray octets_binaires()
{
    QRandomGenerator hasard(20240917);
    QByteArray octets(64 * 1024, Qt::Uninitialized);
    for (char &o : octets)
        o = char(hasard.bounded(256));
    return octets;
}

Gros lignes_repetees(const QStringList &motif, const QStringList &tete)
{
    const QByteArray un = joint(motif, "\r\n");
    Gros g{ joint(tete, "\r\n"), tete };
    g.octets.reserve(taille_gros + un.size());
    while (g.octets.size() < taille_gros) {
        g.octets += un;
        g.lignes += motif;
    }
    return g;
}

Prepare prepare(Cas cas, const QString &chemin, const Contenu &contenu)
{
    QFile::remove(chemin);
    QDir().rmpath(chemin);
    switch (cas) {
    case Cas::manquant:
        return {};
    case Cas::dossier:
        QDir().mkpath(chemin + QStringLiteral("/sous-dossier"));
        return {};
    case Cas::vide:
        ecrit(chemin, {});
        return { true, {} };
    case Cas::binaire:
        ecrit(chemin, octets_binaires());
        return { true, platform::decoupe_lignes(platform::decode_texte(octets_binaires())) };
    case Cas::gros: {
        const Gros g = contenu.gros();
        ecrit(chemin, g.octets);
        return { true, g.lignes };
    }
    case Cas::utf8:
        ecrit(chemin, contenu.lignes.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        return { true, contenu.lignes };
    case Cas::windows1252:
        ecrit(chemin, joint(contenu.lignes, "\r\n"));
        return { true, contenu.lignes };
    case Cas::cr_seul:
        ecrit(chemin, joint(contenu.lignes, "\r"));
        return { true, contenu.lignes };
    case Cas::nul:
        ecrit(chemin, joint(contenu.lignes_nul, "\r\n"));
        return { true, contenu.lignes_nul };
    case Cas::illisible:
        ecrit(chemin, joint(contenu.lignes, "\r\n"));
        QFile::setPermissions(chemin, QFile::WriteOwner);
        return {};
    }
    return {};
}

QMap<QString, QByteArray> instantane(const QString &dossier)
{
    QMap<QString, QByteArray> etat;
    const QDir racine(dossier);
    QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString chemin = it.next();
        const QString relatif = racine.relativeFilePath(chemin);
        // The trial database records what the session does, a file read included.
        if (relatif.startsWith(QStringLiteral("fantrel.sqlite")))
            continue;
        if (it.fileInfo().isDir()) {
            etat.insert(relatif, "<dossier>");
            continue;
        }
        QFile f(chemin);
        QCryptographicHash empreinte(QCryptographicHash::Sha1);
        if (f.open(QIODevice::ReadOnly))
            empreinte.addData(&f);
        etat.insert(relatif,
                    empreinte.result().toHex() + ' ' + QByteArray::number(it.fileInfo().size()));
    }
    return etat;
}

QStringList lignes_texte(const QString &texte_brut)
{
    QString texte = texte_brut;
    texte.replace(QChar::ParagraphSeparator, u'\n');
    return platform::decoupe_lignes(texte);
}

QStringList base_du_banc()
{
    return { "chat chat chats", "chas chas", "fier fier fiers", "fiel fiel" };
}

Banc::Banc() : ancien_dossier(QDir::currentPath())
{
    seams->information = [this](const QString &t) { informations << t; };
    seams->erreur = [this](const QString &t) { erreurs << t; };
    seams->question = [this](const QString &t, bool) {
        questions << t;
        return platform::Reponse::Non;
    };
    seams->attente = [](int) {};
    auto dialogue = [this](const platform::OptionsDialogue &options) {
        dialogues << options;
        return platform::ResultatDialogue{ !fichier_dialogue.isEmpty(), fichier_dialogue, 1 };
    };
    seams->ouvrir_fichier = dialogue;
    seams->enregistrer_fichier = dialogue;

    platform::ecrire_lignes(chemin(QStringLiteral("param.ini")),
                            { ".\\machin.liste_fantrel", "30 ms", "#####", "64", "64", "0", "0",
                              "0,5", "15780518", "&&&&&&&&&&&", "67", "33", "33", "############",
                              "67", "2", "+1/2" });
    platform::ecrire_lignes(chemin(QStringLiteral("machin.liste_fantrel")),
                            { "$fiel  fier", "$mort  mors", "rang  $sang", "$peur  pour" });
    platform::ecrire_lignes(chemin(QStringLiteral("melodies.mus")),
                            { "gamme,150,cdo2 cré2 cmi2 - cfa2", "courte,90,cla2 - nmi3" });
    platform::ecrire_lignes(chemin(QStringLiteral("tout.txt")), base_du_banc());
    QDir::setCurrent(dossier.path());
    fenetres = std::make_unique<app::Fenetres>();
    form = fenetres->Form1.get();
    form->Timer_debut->stop();
    platform::proteger([this] { form->Timer_debutTimer(); });
    fenetres->Form_choix_mots->Timer_debutTimer();
    if (!erreurs.isEmpty())
        qFatal("matrice: the program did not start: %s", qPrintable(erreurs.join(u'\n')));
}

Banc::~Banc()
{
    fenetres.reset();
    QDir::setCurrent(ancien_dossier);
}

QString Banc::chemin(const QString &nom) const
{
    return dossier.path() + u'/' + nom;
}

void Banc::montre(QWidget *fenetre)
{
    fenetre->show();
    fenetre->activateWindow();
    if (!QTest::qWaitForWindowExposed(fenetre))
        qWarning("matrice: window not exposed");
}

} // namespace matrice

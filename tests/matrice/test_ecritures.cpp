// The writing matrix: every file the program writes (param.ini, a results file, a
// melody list, the user's list, a ".select_log", the found pairs), aimed at a
// folder, into a missing folder and onto a full disc (a 64 KiB tmpfs, mounted in a
// user and mount namespace of its own). Each gives the error box and leaves every file
// as it was (the previous file whole) and the command's "unsaved" mark set; an ordinary
// folder shows the command really writes.
#include "banc_matrice.h"
#include "verifications.h"
#include "music/groupe_musical.h"
#include "platform/application.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "results/groupe_resultats.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>
#include <cerrno>
#include <sys/mount.h>

using namespace fantrel;
using namespace matrice;

namespace {

enum class Cible { ordinaire, dossier, dossier_manquant, disque_plein };

// A 64 KiB tmpfs, unmounted on leaving.
struct Disque
{
    QString point;
    bool monte = false;
    explicit Disque(const QString &p) : point(p)
    {
        QDir().mkpath(point);
        monte = mount("tmpfs", QFile::encodeName(point).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~Disque()
    {
        if (monte)
            umount2(QFile::encodeName(point).constData(), MNT_DETACH);
    }
    // Fills it to the last byte.
    void remplit() const
    {
        QFile f(point + QStringLiteral("/remplissage"));
        f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray bloc(1024, 'x');
        while (f.write(bloc) == bloc.size()) { }
    }
};

struct Ecrivain
{
    QString nom;
    // Gives the program something unsaved to write.
    std::function<void(Banc &)> prepare;
    // Runs the save command towards `dossier`/nom.
    std::function<void(Banc &, const QString &dossier)> ecrit;
    // The mark of unsaved work, which a failed save leaves set.
    std::function<QString(Banc &)> marque = [](Banc &) { return QString(); };
    // The lines a successful save writes.
    std::function<QStringList(Banc &)> attendu;
};

wordpairs::TForm_choix_mots &fenetre(Banc &b)
{
    return *b.fenetres->Form_choix_mots;
}

// A save command run from its control, towards `chemin`.
void commande(Banc &b, QAbstractButton *bouton, const QString &chemin)
{
    b.fichier_dialogue = chemin;
    bouton->click();
}

Ecrivain ecrivain(int k)
{
    switch (k) {
    case 0: {
        Ecrivain e;
        e.nom = QStringLiteral("param.ini");
        e.prepare = [](Banc &) {};
        e.ecrit = [](Banc &b, const QString &dossier) {
            b.form->etat.repertoire = dossier;
            b.form->Sauverlesparamtres1->trigger();
        };
        // The bench's settings, the list's name and mask as the list opened at start-up set them.
        e.attendu = [](Banc &b) {
            return QStringList{ "machin.liste_fantrel",
                                "30 ms",
                                b.form->reglages->Edit_masque->text(),
                                "64",
                                "64",
                                "0",
                                "0",
                                QStringLiteral("0") + platform::separateur_regional()
                                        + QStringLiteral("5"),
                                "15780518",
                                "&&&&&&&&&&&",
                                "67",
                                "33",
                                "33",
                                "############",
                                "67",
                                "2",
                                "+1/2" };
        };
        return e;
    }
    case 1: {
        Ecrivain e;
        e.nom = QStringLiteral("resultats.res");
        e.prepare = [](Banc &b) {
            b.form->groupe_resultats->ajoute_ligne(
                    QStringLiteral("Mot affiché=été prop=$été ôté répondu=été"));
        };
        e.ecrit = [](Banc &b, const QString &dossier) {
            b.fichier_dialogue = dossier + QStringLiteral("/resultats.res");
            b.form->Enregistrerlesrsultats1->trigger();
        };
        e.marque = [](Banc &b) {
            return QString::number(b.form->groupe_resultats->record_modifie());
        };
        e.attendu = [](Banc &) {
            return QStringList{ "Essai1", "Mot affiché=été prop=$été ôté répondu=été" };
        };
        return e;
    }
    case 2: {
        Ecrivain e;
        e.nom = QStringLiteral("airs.mus");
        e.prepare = [](Banc &b) {
            b.form->groupe_musical->Memo_music->setPlainText(
                    QStringLiteral("Frère Jacques,160,ndo3 nré3\n"));
        };
        e.ecrit = [](Banc &b, const QString &dossier) {
            b.fichier_dialogue = dossier + QStringLiteral("/airs.mus");
            b.form->groupe_musical->SpeedButton8->click();
        };
        e.attendu = [](Banc &) { return QStringList{ "Frère Jacques,160,ndo3 nré3" }; };
        return e;
    }
    case 3: {
        Ecrivain e;
        e.nom = QStringLiteral("choisis.liste_fantrel");
        e.prepare = [](Banc &b) {
            fenetre(b).listes().remplace_utilisateur(
                    { QStringLiteral("pâte  pâté"), QStringLiteral("chat  chas") });
            fenetre(b).listes().definir_liste_modifiee(true);
        };
        e.ecrit = [](Banc &b, const QString &dossier) {
            commande(b, fenetre(b).Speed_sauve_select,
                     dossier + QStringLiteral("/choisis.liste_fantrel"));
        };
        e.marque = [](Banc &b) { return QString::number(fenetre(b).listes().liste_modifiee()); };
        e.attendu = [](Banc &) { return QStringList{ "pâte  pâté", "chat  chas" }; };
        return e;
    }
    case 4:
    case 5: {
        const bool select_log = k == 4;
        Ecrivain e;
        e.nom = select_log ? QStringLiteral("logiciel.select_log") : QStringLiteral("trouves.txt");
        e.prepare = [](Banc &b) {
            fenetre(b).listes().remplace_logiciel(
                    { QStringLiteral("----chat  chas------------------"),
                      QStringLiteral("fier  fiel") });
            fenetre(b).listes().definir_liste_logiciel_a_sauver(true);
        };
        e.ecrit = [select_log](Banc &b, const QString &dossier) {
            if (select_log)
                commande(b, fenetre(b).SpeedButton1,
                         dossier + QStringLiteral("/logiciel.select_log"));
            else {
                b.fichier_dialogue = dossier + QStringLiteral("/trouves.txt");
                fenetre(b).Sauver1->trigger();
            }
        };
        e.marque = [](Banc &b) {
            return QString::number(fenetre(b).listes().liste_logiciel_a_sauver());
        };
        e.attendu = [select_log](Banc &) {
            return select_log ? QStringList{ "chat  chas", "fier  fiel" }
                              : QStringList{ "----chat  chas------------------", "fier  fiel" };
        };
        return e;
    }
    }
    return {};
}

const char *const noms_ecrivains[] = { "param.ini",         "résultats",  "mélodies",
                                       "liste utilisateur", "select_log", "mots trouvés" };

} // namespace

class TestEcritures : public QObject
{
    Q_OBJECT
private slots:
    void ecriture_data();
    void ecriture();
};

void TestEcritures::ecriture_data()
{
    QTest::addColumn<int>("ecrivain");
    QTest::addColumn<int>("cible");
    const char *const cibles[] = { "dossier ordinaire", "cible dossier", "dossier manquant",
                                   "disque plein" };
    for (int e = 0; e < 6; ++e)
        for (int c = 0; c < 4; ++c)
            QTest::addRow("%s / %s", noms_ecrivains[e], cibles[c]) << e << c;
}

void TestEcritures::ecriture()
{
    QFETCH(int, ecrivain);
    QFETCH(int, cible);
    if (Cible(cible) == Cible::disque_plein && !commun::dans_un_enfant()) {
        if (const QString impossible = commun::espace_prive_impossible(); !impossible.isEmpty())
            FANTREL_SAUTER(impossible);
        return commun::rejoue_dans_un_enfant(commun::enveloppe_espace_prive());
    }
    const Ecrivain e = ::ecrivain(ecrivain);
    Banc b;
    Banc::montre(b.fenetres->Form_choix_mots.get());
    e.prepare(b);
    const QString marque_avant = e.marque(b);

    QString dossier = b.chemin(QStringLiteral("sorties"));
    std::unique_ptr<Disque> disque;
    switch (Cible(cible)) {
    case Cible::ordinaire:
        QDir().mkpath(dossier);
        break;
    case Cible::dossier:
        QDir().mkpath(dossier + u'/' + e.nom);
        platform::ecrire_lignes(dossier + u'/' + e.nom + QStringLiteral("/dedans.txt"),
                                { QStringLiteral("à garder") });
        break;
    case Cible::dossier_manquant:
        dossier = b.chemin(QStringLiteral("absent/sous-dossier"));
        break;
    case Cible::disque_plein:
        dossier = b.chemin(QStringLiteral("disque"));
        disque = std::make_unique<Disque>(dossier);
        QVERIFY2(disque->monte,
                 qPrintable(QStringLiteral("tmpfs non monté : ") + qt_error_string(errno)));
        platform::ecrire_lignes(dossier + u'/' + e.nom,
                                { QStringLiteral("ancien contenu, à garder entier") });
        disque->remplit();
        break;
    }
    const QString chemin = dossier + u'/' + e.nom;
    const auto avant = instantane(b.dossier.path());

    e.ecrit(b, dossier);

    if (Cible(cible) == Cible::ordinaire) {
        QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join(u'\n')));
        QCOMPARE(platform::lire_lignes(chemin), e.attendu(b));
        return;
    }
    QCOMPARE(b.erreurs.size(), 1);
    QVERIFY2(b.erreurs[0].startsWith(platform::erreur_creation(chemin).message()),
             qPrintable(b.erreurs[0]));
    QVERIFY2(instantane(b.dossier.path()) == avant,
             "a failed save changed the files (or left one behind)");
    QCOMPARE(e.marque(b), marque_avant);
}

FANTREL_TEST_MAIN(TestEcritures)
#include "test_ecritures.moc"

// The bench of the bad-input matrix: the program's real windows started in a
// temporary working folder, the seams answered by the test (boxes recorded, file
// dialogs answering a chosen path), and the bad files of each case.
#pragma once
#include "app/affichage_mot.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/fichier_param.h"
#include "app/groupe_exercice.h"
#include "app/groupe_radio.h"
#include "app/panneau_reglages.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "platform/minuteur_hr.h"
#include "results/groupe_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include <QTimer>
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "platform/interactions.h"
#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QWidget;

namespace matrice {

// The cases of a file read.
enum class Cas {
    manquant,
    vide,
    dossier,
    binaire,
    gros,
    utf8,
    windows1252,
    cr_seul,
    nul,
    illisible
};
inline constexpr Cas tous_les_cas[] = { Cas::manquant,    Cas::vide,    Cas::dossier,
                                        Cas::binaire,     Cas::gros,    Cas::utf8,
                                        Cas::windows1252, Cas::cr_seul, Cas::nul,
                                        Cas::illisible };
QString nom_cas(Cas cas);

inline constexpr qint64 taille_gros = 50 * 1024 * 1024;

// A big file: its bytes and the lines a correct reading gives.
struct Gros
{
    QByteArray octets;
    QStringList lignes;
};
// The lines of `tete`, then the lines of `motif` again and again up to about
// taille_gros bytes, in Windows-1252 with CR LF.
Gros lignes_repetees(const QStringList &motif, const QStringList &tete = {});

// What a reader of one kind of file is given: its valid content (with accents), the
// same with a NUL byte inside one line, and 50 MB of valid lines.
struct Contenu
{
    QStringList lignes;
    QStringList lignes_nul;
    std::function<Gros()> gros;
};

// Puts the file of the case at `chemin`. `lisible` tells whether a correct reading
// is expected, `lignes` what it gives (decoded as the program decodes the bytes).
struct Prepare
{
    bool lisible = false;
    QStringList lignes;
};
Prepare prepare(Cas cas, const QString &chemin, const Contenu &contenu);

// 64 KiB of random bytes (NUL, line ends and high bytes included), the same every run.
QByteArray octets_binaires();

// Every file and folder under `dossier`: relative path → a digest of the bytes (a
// folder: "<dossier>"), to tell that nothing changed; the trial database left out.
QMap<QString, QByteArray> instantane(const QString &dossier);

// The lines a list box holds as the program reads them (characters as stored).
QStringList lignes_texte(const QString &texte_brut);

// The word base the bench starts with (class 4: chat/chas, fier/fiel).
QStringList base_du_banc();

struct Banc
{
    QTemporaryDir dossier;
    QString ancien_dossier;
    fantrel::platform::RemplacementInteractions seams;
    QStringList informations;
    QStringList erreurs;
    QStringList questions;
    QString fichier_dialogue; // what the next file dialog answers
    QList<fantrel::platform::OptionsDialogue> dialogues;
    std::unique_ptr<fantrel::app::Fenetres> fenetres;
    fantrel::app::TForm1 *form = nullptr;

    // Starts the program in the folder with a sample settings file, an exercise list,
    // a melody list and a word base; the start-up step has run and the word-pair
    // window has made its length buttons.
    Banc();
    ~Banc();

    QString chemin(const QString &nom) const;
    // Shows a window and waits until it is on screen, so that clicks reach it.
    static void montre(QWidget *fenetre);
};

} // namespace matrice

// Trials of every kind, each column filled as the trial code fills it, shared by the
// database tests and the helper program that is killed mid-session.
#pragma once
#include "base/donnees_essais.h"

namespace fantrel::exemples {

using namespace fantrel::base;

inline QDateTime moment(int secondes)
{
    return QDateTime(QDate(2024, 3, 14), QTime(9, 26, 53, 589), Qt::UTC).addSecs(secondes);
}

inline Seance seance_exemple(const QString &repertoire, const QString &poste = "poste-1")
{
    Seance s;
    s.debut_utc = moment(0);
    s.version_programme = QStringLiteral("0.1");
    s.repertoire = repertoire;
    s.poste = poste;
    for (int i = 1; i <= 17; ++i)
        s.parametres << QStringLiteral("ligne %1 é").arg(i);
    s.parametres[1] = QString(); // an empty settings line stays a line
    s.rafraichissement_hz = 59.94;
    s.priorite_minuteur = QStringLiteral("temps réel (SCHED_FIFO 50)");
    return s;
}

// First paradigm, answered with the buttons: every column that exists for it.
inline Essai essai_boutons(int numero = 1)
{
    Essai e;
    e.debut_utc = moment(numero);
    e.utilisateur = 1;
    e.nom_utilisateur = QStringLiteral("Zoé Lefèvre");
    e.test = TestEssai::korvane;
    e.numero = numero;
    e.mot1 = QStringLiteral("fiel");
    e.mot2 = QStringLiteral("fier");
    e.connote = 1;
    e.mot_affiche = QStringLiteral("fiel");
    e.proposition_gauche = QStringLiteral("fiel");
    e.proposition_droite = QStringLiteral("fier");
    e.reponse = QStringLiteral("fiel");
    e.mode_reponse = FaconReponse::boutons;
    e.categorie = 1;
    e.correct = true;
    e.exposition_ms = 33;
    e.exposition_mesuree_ms = 33.37;
    e.temps_reponse_ms = 812.46;
    e.images = 2;
    e.images_manquees = 0;
    e.images_prevues = 2;
    e.horodatage_douteux = false;
    e.ligne_resultat = QStringLiteral("Mot affiché=fiel prop=$fiel fier répondu=fiel");
    return e;
}

// "Je ne sais pas": no answer, no category, nothing in the record; frames unknown.
inline Essai essai_je_ne_sais_pas()
{
    Essai e = essai_boutons(2);
    e.mot_affiche = QStringLiteral("fier");
    e.reponse.clear();
    e.mode_reponse = FaconReponse::je_ne_sais_pas;
    e.categorie.reset();
    e.correct.reset();
    e.images.reset();
    e.images_manquees.reset();
    e.images_prevues.reset();
    e.horodatage_douteux.reset();
    e.ligne_resultat.clear();
    return e;
}

// Free typing: whatever the subject typed, commas, quotes and a line break included.
inline Essai essai_saisie()
{
    Essai e = essai_boutons(3);
    e.utilisateur = 2;
    e.nom_utilisateur = QStringLiteral("Ève \"Nº 2\", groupe B");
    e.mot1 = QStringLiteral("cœur");
    e.mot2 = QStringLiteral("chœur");
    e.connote = 2;
    e.mot_affiche = QStringLiteral("cœur");
    e.proposition_gauche = QStringLiteral("chœur");
    e.proposition_droite = QStringLiteral("cœur");
    e.reponse = QStringLiteral("Cœur, \"peut-être\"\nou chœur");
    e.mode_reponse = FaconReponse::saisie;
    e.categorie = 4;
    e.correct = false;
    e.ligne_resultat = QStringLiteral("Mot affiché=cœur prop=chœur $cœur répondu=Cœur");
    return e;
}

// Second paradigm: the four measured phases, a missed flip.
inline Essai essai_morbelle()
{
    Essai e = essai_boutons(4);
    e.test = TestEssai::morbelle;
    e.exposition_mesuree_ms = 33.38;
    e.phases_mesurees_ms = std::array<double, 4>{ 66.71, 33.38, 33.29, 66.7 };
    e.images = 2;
    e.images_manquees = 1;
    e.horodatage_douteux = true;
    return e;
}

// A melody: no words, no exposure; the out-of-tune note and the shift, what its stream was.
inline Essai essai_melodie()
{
    Essai e;
    e.debut_utc = moment(5);
    e.utilisateur = 1;
    e.nom_utilisateur = QStringLiteral("Zoé Lefèvre");
    e.test = TestEssai::musique;
    e.numero = 5;
    e.reponse = QStringLiteral("Fausse");
    e.mode_reponse = FaconReponse::boutons;
    e.categorie = 1;
    e.correct = true;
    e.temps_reponse_ms = 1503.2;
    e.melodie = QStringLiteral("do4 ré4 mi4 fa#4 sol4");
    e.decalage = QStringLiteral("+2");
    e.incongru = true;
    e.place_incongruite = 3;
    e.debut_son_ms = 12.34;
    e.latence_sortie_ms = 151.2;
    e.debuts_notes = QStringLiteral("7056/21168/35280/49392/63504");
    return e;
}

} // namespace fantrel::exemples

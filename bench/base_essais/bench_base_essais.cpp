// The trial database on this machine's disc: the time to record one trial as the
// trials do (EnregistreurEssais: insert and commit, the journal synced), and the time
// to export many trials to CSV. Figures, never a pass/fail test.
//
//   bench_base_essais [--dossier D] [--essais N] [--export M]
//
// D: where the bases are made (default: a new folder in the current one, so on the
// disc the bench is run from); N trials recorded one by one (10,000); M trials
// exported (100,000), put in the base in one transaction beforehand.
#include "../outils_banc.h"
#include "base/base_essais.h"
#include "base/enregistreur_essais.h"
#include "base/export_csv.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace fantrel;
using namespace fantrel::base;

namespace {

using banc::argument;
using banc::centile;
using banc::charge;

Seance seance(const QString &dossier)
{
    Seance s;
    s.version_programme = QStringLiteral("banc");
    s.repertoire = dossier;
    s.poste = QStringLiteral("banc");
    for (int i = 1; i <= 17; ++i)
        s.parametres << QStringLiteral("ligne %1").arg(i);
    return s;
}

// A second-paradigm trial with every column filled, as long as real ones.
Essai essai(int n)
{
    Essai e;
    e.utilisateur = 1 + n % 20;
    e.nom_utilisateur = QStringLiteral("Zoé Lefèvre, groupe %1").arg(n % 7);
    e.test = TestEssai::morbelle;
    e.numero = n;
    e.mot1 = QStringLiteral("fiel");
    e.mot2 = QStringLiteral("fier");
    e.connote = 1;
    e.mot_affiche = n % 2 ? e.mot2 : e.mot1;
    e.proposition_gauche = e.mot1;
    e.proposition_droite = e.mot2;
    e.reponse = e.mot1;
    e.mode_reponse = FaconReponse::boutons;
    e.categorie = n % 2 ? 4 : 1;
    e.correct = n % 2 == 0;
    e.exposition_ms = 33;
    e.exposition_mesuree_ms = 33.37 + (n % 10) / 100.0;
    e.phases_mesurees_ms = std::array<double, 4>{ 66.71, 33.38, 33.29, 66.7 };
    e.temps_reponse_ms = 700 + n % 500;
    e.images = 2;
    e.images_manquees = 0;
    e.ligne_resultat =
            QStringLiteral("Mot affiché=%1 prop=$fiel fier répondu=fiel").arg(e.mot_affiche);
    return e;
}

void enregistrement(const QString &dossier, int nombre)
{
    const QString chemin = dossier + QStringLiteral("/enregistrement.sqlite");
    EnregistreurEssais enregistreur(chemin);
    enregistreur.commence_seance(seance(dossier));
    std::vector<double> ms;
    ms.reserve(std::size_t(nombre));
    QElapsedTimer chrono;
    for (int n = 1; n <= nombre; ++n) {
        const Essai e = essai(n);
        chrono.start();
        enregistreur.enregistre_essai(e);
        ms.push_back(double(chrono.nsecsElapsed()) / 1e6);
        if (!enregistreur.en_service()) {
            std::printf("échec de l'enregistrement à l'essai %d\n", n);
            return;
        }
    }
    std::printf("enregistrer un essai (%d essais, un commit chacun) : médiane %.3f ms, "
                "p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
                nombre, centile(ms, 0.5), centile(ms, 0.9), centile(ms, 0.99),
                *std::max_element(ms.begin(), ms.end()));
}

void exportation(const QString &dossier, int nombre)
{
    const QString chemin = dossier + QStringLiteral("/export.sqlite");
    {
        BaseEssais base(chemin);
        const qint64 id = base.insere_seance(seance(dossier));
        QVector<Essai> essais;
        for (int n = 1; n <= nombre; ++n) {
            essais << essai(n);
            essais.last().seance = id;
            essais.last().ordre = n;
        }
        base.insere_essais(essais);
    }
    QElapsedTimer chrono;
    chrono.start();
    {
        BaseEssais base(chemin);
    }
    const double ouverture = double(chrono.nsecsElapsed()) / 1e6;
    const QString csv = dossier + QStringLiteral("/essais.csv");
    chrono.start();
    exporte_csv(chemin, csv);
    const double export_ms = double(chrono.nsecsElapsed()) / 1e6;
    std::printf("exporter %d essais en CSV : %.0f ms (%.1f Mo) ; ouvrir cette base (examen "
                "compris) : %.1f ms\n",
                nombre, export_ms, double(QFileInfo(csv).size()) / 1e6, ouverture);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    const QString parent = argument(args, QStringLiteral("--dossier"), QDir::currentPath());
    QTemporaryDir dossier(parent + QStringLiteral("/banc-base-essais-XXXXXX"));
    if (!dossier.isValid()) {
        std::printf("impossible de créer un dossier dans %s\n", qPrintable(parent));
        return 1;
    }
    std::printf("dossier %s ; charge au début : %s\n", qPrintable(dossier.path()),
                charge().constData());
    enregistrement(dossier.path(), argument(args, QStringLiteral("--essais"), "10000").toInt());
    exportation(dossier.path(), argument(args, QStringLiteral("--export"), "100000").toInt());
    std::printf("charge à la fin : %s\n", charge().constData());
    return 0;
}

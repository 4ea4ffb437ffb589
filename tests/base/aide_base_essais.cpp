// Helper of test_enregistreur_essais: records trials into the base it is given, without
// end, and prints "engage N" once trial N is committed. The test kills it with SIGKILL.
#include "essais_exemples.h"
#include "base/enregistreur_essais.h"
#include <QCoreApplication>
#include <cstdio>

using namespace fantrel;

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2)
        return 2;
    base::EnregistreurEssais enregistreur(QString::fromLocal8Bit(argv[1]));
    enregistreur.commence_seance(exemples::seance_exemple(QStringLiteral("/travail")));
    for (int n = 1;; ++n) {
        base::Essai essai = n % 2 ? exemples::essai_saisie() : exemples::essai_morbelle();
        essai.numero = n;
        enregistreur.enregistre_essai(essai);
        if (!enregistreur.en_service() || enregistreur.en_attente() != 0) {
            std::puts("echec");
            return 1;
        }
        std::printf("engage %d\n", n);
        std::fflush(stdout);
    }
}

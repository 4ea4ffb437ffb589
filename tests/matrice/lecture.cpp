#include "lecture.h"
#include "platform/capacite_memo.h"
#include <QElapsedTimer>
#include "verifications.h"
#include <QTest>
#include <optional>

namespace matrice {

QString refus_capacite(const QStringList &lignes)
{
    return fantrel::platform::nb_caracteres_memo(lignes) > fantrel::platform::capacite_memo
            ? fantrel::platform::erreur_capacite_memo().message()
            : QString();
}

void lignes_des_cas()
{
    QTest::addColumn<int>("cas");
    for (Cas cas : tous_les_cas)
        QTest::newRow(qPrintable(nom_cas(cas))) << int(cas);
}

namespace {

QString montre_etat(const QStringList &etat)
{
    QStringList court;
    for (const QString &e : etat)
        court << (e.size() > 200 ? e.left(200) + QStringLiteral("…") : e);
    return court.join(u'\n');
}

} // namespace

void cellule(const Lecteur &lecteur)
{
    QFETCH(int, cas);
    const Cas c = Cas(cas);

    Banc b;
    lecteur.avant(b);
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join(u'\n')));
    const QString chemin = b.chemin(lecteur.fichier);
    const Prepare fichier = prepare(c, chemin, lecteur.contenu);
    const QStringList etat_avant = lecteur.etat(b);
    const auto dossier_avant = instantane(b.dossier.path());

    QElapsedTimer chrono;
    chrono.start();
    {
        std::optional<commun::SansDroitsDeRoot> sans_droits; // root reads any file otherwise
        if (c == Cas::illisible)
            QVERIFY2(sans_droits.emplace().ok(), "capset refused");
        lecteur.lit(b, chemin);
    }
    const qint64 duree = chrono.elapsed();
    if (c == Cas::gros)
        qInfo("50 Mo lus en %lld ms", duree);

    QVERIFY2(instantane(b.dossier.path()) == dossier_avant, "reading changed a file of the folder");
    const QString refus = fichier.lisible ? lecteur.erreur_contenu(fichier.lignes)
                                          : lecteur.erreur_ouverture(chemin, c);
    if (refus.isEmpty()) {
        QVERIFY2(b.erreurs.isEmpty(),
                 qPrintable(QStringLiteral("unexpected error box: ") + b.erreurs.join(u'\n')));
        lecteur.verifie(b, chemin, fichier.lignes);
        return;
    }
    QCOMPARE(b.erreurs, QStringList{ refus });
    const int depuis = fichier.lisible ? lecteur.garde_depuis(fichier.lignes) : 0;
    const QStringList etat_apres = lecteur.etat(b);
    QCOMPARE(etat_apres.size(), etat_avant.size());
    QVERIFY2(etat_apres.mid(depuis) == etat_avant.mid(depuis),
             qPrintable(QStringLiteral("state changed by a refused read:\n")
                        + montre_etat(etat_avant.mid(depuis)) + QStringLiteral("\n→\n")
                        + montre_etat(etat_apres.mid(depuis))));
}

} // namespace matrice

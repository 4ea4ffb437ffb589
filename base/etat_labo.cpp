#include "base/etat_labo.h"

namespace fantrel::base {

QString texte_etat_labo(const EtatLabo &etat)
{
    if (!etat.actif)
        return {};
    const QString debut = QStringLiteral("Base du laboratoire : ");
    if (etat.essais_en_attente == 0 && etat.refus == RefusLabo::aucun)
        return debut + QStringLiteral("à jour");
    QString raison;
    if (etat.refus == RefusLabo::injoignable && etat.injoignable_depuis)
        raison = QStringLiteral("injoignable depuis %1")
                         .arg(etat.injoignable_depuis->toString(QStringLiteral("HH:mm")));
    else if (etat.refus != RefusLabo::aucun) {
        raison = etat.message;
        if (raison.endsWith(QLatin1Char('.')))
            raison.chop(1);
    }
    if (etat.essais_en_attente == 0) // a refusal before anything waits: the reason alone
        return debut + raison;
    QString texte = debut
        + (etat.essais_en_attente == 1 ? QStringLiteral("1 essai en attente")
                                        : QStringLiteral("%1 essais en attente")
                                              .arg(etat.essais_en_attente));
    if (!raison.isEmpty())
        texte += QStringLiteral(" (%1)").arg(raison);
    return texte;
}

} // namespace fantrel::base

#include "app/reglages_etendus.h"
#include <QSettings>
#include <array>
#include <utility>

namespace fantrel::app {

namespace {

constexpr std::array<std::pair<CoinEcran, const char *>, 4> noms_coins{ {
        { CoinEcran::haut_gauche, "haut_gauche" },
        { CoinEcran::haut_droite, "haut_droite" },
        { CoinEcran::bas_gauche, "bas_gauche" },
        { CoinEcran::bas_droite, "bas_droite" },
} };

// Reads one value into `cible` when present and accepted; names it in `ecarts` otherwise.
template<typename T, typename Lecture>
void lit(const QSettings &s, const char *cle, T &cible, QStringList *ecarts, Lecture lecture)
{
    if (!s.contains(QLatin1String(cle)))
        return;
    // An unquoted value with commas ("0,25", a URI) comes back as a list: joined again.
    const QVariant valeur = s.value(QLatin1String(cle));
    const QString texte = valeur.typeId() == QMetaType::QStringList
            ? valeur.toStringList().join(u',')
            : valeur.toString();
    if (!lecture(texte, cible) && ecarts)
        *ecarts << QStringLiteral("%1 : valeur « %2 » ignorée").arg(QLatin1String(cle), texte);
}

bool texte_non_vide(const QString &t, QString &cible)
{
    if (t.trimmed().isEmpty())
        return false;
    cible = t.trimmed();
    return true;
}

} // namespace

QString texte_coin(CoinEcran coin)
{
    for (const auto &[c, nom] : noms_coins)
        if (c == coin)
            return QLatin1String(nom);
    return {};
}

ReglagesEtendus lit_reglages_etendus(const QString &chemin, QStringList *ecarts)
{
    ReglagesEtendus r;
    const QSettings s(chemin, QSettings::IniFormat);
    lit(s, "labo/uri", r.uri_labo, ecarts, [](const QString &t, QString &c) {
        c = t.trimmed();
        return true;
    });
    lit(s, "labo/station", r.station, ecarts, [](const QString &t, QString &c) {
        c = t.trimmed();
        return true;
    });
    lit(s, "clavier/gauche", r.touche_gauche, ecarts, texte_non_vide);
    lit(s, "clavier/droite", r.touche_droite, ecarts, texte_non_vide);
    lit(s, "clavier/ne_sait_pas", r.touche_ne_sait_pas, ecarts, texte_non_vide);
    lit(s, "clavier/depart", r.touche_depart, ecarts, texte_non_vide);
    lit(s, "photodiode/actif", r.photodiode, ecarts, [](const QString &t, bool &c) {
        const QString v = t.trimmed().toLower();
        if (v != u"true" && v != u"false" && v != u"1" && v != u"0")
            return false;
        c = v == u"true" || v == u"1";
        return true;
    });
    lit(s, "photodiode/taille", r.taille_photodiode, ecarts, [](const QString &t, int &c) {
        bool ok = false;
        const int v = t.trimmed().toInt(&ok);
        if (!ok || v < 10 || v > 400)
            return false;
        c = v;
        return true;
    });
    lit(s, "photodiode/coin", r.coin_photodiode, ecarts, [](const QString &t, CoinEcran &c) {
        for (const auto &[coin, nom] : noms_coins)
            if (t.trimmed() == QLatin1String(nom)) {
                c = coin;
                return true;
            }
        return false;
    });
    lit(s, "statistiques/echelle_a_priori", r.echelle_a_priori, ecarts,
        [](const QString &t, double &c) {
            bool ok = false;
            const double v = QString(t).replace(u',', u'.').trimmed().toDouble(&ok);
            if (!ok || !(v > 0.0 && v <= 0.5))
                return false;
            c = v;
            return true;
        });
    return r;
}

bool ecrit_reglages_etendus(const QString &chemin, const ReglagesEtendus &r)
{
    QSettings s(chemin, QSettings::IniFormat);
    s.setValue(QStringLiteral("labo/uri"), r.uri_labo);
    s.setValue(QStringLiteral("labo/station"), r.station);
    s.setValue(QStringLiteral("clavier/gauche"), r.touche_gauche);
    s.setValue(QStringLiteral("clavier/droite"), r.touche_droite);
    s.setValue(QStringLiteral("clavier/ne_sait_pas"), r.touche_ne_sait_pas);
    s.setValue(QStringLiteral("clavier/depart"), r.touche_depart);
    s.setValue(QStringLiteral("photodiode/actif"), r.photodiode);
    s.setValue(QStringLiteral("photodiode/taille"), r.taille_photodiode);
    s.setValue(QStringLiteral("photodiode/coin"), texte_coin(r.coin_photodiode));
    s.setValue(QStringLiteral("statistiques/echelle_a_priori"), r.echelle_a_priori);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace fantrel::app

#include "app/texte_duree.h"
#include "engine3d/horloge_affichage.h"
#include <QLocale>
#include <chrono>
#include <cmath>

namespace fantrel::app {

namespace {

const QLocale &francais()
{
    static const QLocale l(QLocale::French, QLocale::France);
    return l;
}

// The number a setting starts with ("30 ms" → 30), if any.
std::optional<int> nombre_en_tete(const QString &texte)
{
    qsizetype fin = 0;
    while (fin < texte.size() && texte[fin].isDigit() && texte[fin].unicode() < 128)
        ++fin;
    bool ok = false;
    const int n = texte.left(fin).toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

QString texte_duree(const QString &reglage, std::optional<double> periode_ms, bool saute_zero)
{
    const std::optional<int> ms = nombre_en_tete(reglage);
    if (!periode_ms || *periode_ms <= 0 || !ms || (saute_zero && *ms == 0))
        return reglage;
    using std::chrono::duration;
    using std::chrono::duration_cast;
    const auto periode = duration_cast<engine3d::Duree>(duration<double, std::milli>(*periode_ms));
    const int images = engine3d::images_pour_duree(std::chrono::milliseconds(*ms), periode);
    return QStringLiteral("%1 (%2 %3 = %4 ms)")
            .arg(reglage, QString::number(images),
                 unite_images(images),
                 francais().toString(images * *periode_ms, 'f', 1));
}

QString unite_images(double nombre)
{
    return std::abs(nombre) < 2 ? QStringLiteral("image") : QStringLiteral("images");
}

QString texte_ecran(std::optional<double> periode_ms)
{
    if (!periode_ms || *periode_ms <= 0)
        return QStringLiteral("Écran sans synchronisation : durées au chronomètre");
    return QStringLiteral("Écran : %1 Hz, %2 ms par image")
            .arg(francais().toString(1000.0 / *periode_ms, 'f', 1),
                 francais().toString(*periode_ms, 'f', 2));
}

} // namespace fantrel::app

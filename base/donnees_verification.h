// One flash of a display check, as the table verifications holds it: what was planned,
// what the stamps say was presented, and the verdict.
#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

namespace fantrel::base {

struct FlashVerification
{
    qint64 id = 0; // given by the base
    qint64 seance = 0;
    int verification = 0; // the check's rank in its session (1..)
    QDateTime debut_utc; // the flash's word frame; now when left invalid
    QString test; // "korvane" or "morbelle"
    int numero = 0; // the flash's rank in its check (1..)
    QString mot;
    int exposition_ms = 0; // the setting
    std::optional<int> images_prevues, images, images_manquees; // none without a refresh
    double exposition_prevue_ms = 0; // what the plan said the screen would show
    double exposition_mesuree_ms = 0; // word frame to the next one, from their stamps
    bool horodatage_douteux = false;
    QString verdict; // "exact", "court", "long", "manque", "douteux"

    bool operator==(const FlashVerification &) const = default;
};

} // namespace fantrel::base

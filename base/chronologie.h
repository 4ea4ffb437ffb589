// What a session did, in order, for replaying it after a crash: its trials and the
// events that changed the results table or record.
#pragma once
#include "base/base_essais.h"

namespace fantrel::base {

// The session's trials and events by their order. A "reprise" event is replaced by
// the chronology of the session it replayed, so that a session resumed and then
// lost again is replayed whole.
QVector<ElementChronologie> chronologie(BaseEssais &base, qint64 seance);

// Trials after the last save of the record to a file; 0 when the session's own last
// event is a clean quit.
int essais_non_enregistres(const QVector<ElementChronologie> &elements);

// At start-up: every earlier session of this station in this folder that left answered
// trials never saved to a results file, did not quit cleanly, and that no session
// replayed or declined, the oldest first. Sessions that recorded nothing at all (a
// start cut short) are passed over. NOTE: the folder's lock keeps a living program's
// session out: only one program runs in a folder.
QVector<SeanceAReprendre> seances_a_reprendre(BaseEssais &base, const QString &poste,
                                              const QString &repertoire, qint64 exclue = 0);
// The oldest of them.
std::optional<SeanceAReprendre> seance_a_reprendre(BaseEssais &base, const QString &poste,
                                                   const QString &repertoire, qint64 exclue = 0);

// The session and those it replayed, through replays of replays, by id: "this
// session"'s trials.
QVector<qint64> seances_de(BaseEssais &base, qint64 seance);

} // namespace fantrel::base

// After a crash: earlier sessions' users, record lines and tallies rebuilt from what
// the trial database kept of them, as they were when each stopped.
#pragma once
#include "base/donnees_essais.h"
#include <QHash>

namespace fantrel::results {
class RecordResultats;
class TableauResultats;
} // namespace fantrel::results

namespace fantrel::app {

// Replays the session's chronology into the table: its users and renames, its clears,
// the results files it read, each trial's record line and tally. Into a table that
// already holds a replayed session, its users follow that session's (the sum row is
// shared). The record is then marked unsaved (nothing on disc holds it). Returns the
// participant of each row it leaves, as its trials and events name them.
QHash<int, QString> rejoue_seance(const base::SeanceAReprendre &seance,
                                  results::TableauResultats &tableau,
                                  results::RecordResultats &record);

} // namespace fantrel::app

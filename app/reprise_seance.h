// After a crash: an earlier session's users, record lines and tallies rebuilt from
// what the trial database kept of it, as they were when it stopped.
#pragma once
#include "base/donnees_essais.h"

namespace fantrel::results {
class RecordResultats;
class TableauResultats;
} // namespace fantrel::results

namespace fantrel::app {

// Replays the session's chronology into a table that has no row yet: its users and
// renames, its clears, the results files it read, each trial's record line and tally.
// The record is then marked unsaved (nothing on disc holds it).
void rejoue_seance(const base::SeanceAReprendre &seance, results::TableauResultats &tableau,
                   results::RecordResultats &record);

} // namespace fantrel::app

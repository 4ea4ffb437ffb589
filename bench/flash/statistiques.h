// Summaries of timing samples: median, 99th percentile and maximum, nearest rank.
#pragma once
#include <vector>

namespace fantrel::banc_flash {

struct Resume
{
    int n = 0;
    double mediane = 0;
    double p99 = 0;
    double maximum = 0;
};

// Nearest-rank percentiles: with 200 samples the 99th percentile is the 198th value.
Resume resume(std::vector<double> valeurs);

// Absolute values, for errors against a setting.
std::vector<double> absolues(std::vector<double> valeurs);

} // namespace fantrel::banc_flash

#include "bench/stopwatch.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

Stopwatch::Stopwatch(int samples, double sampleMicroseconds)
    : samples_(samples), sampleSeconds_(sampleMicroseconds / 1e6) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  tick_ = 1.0 / static_cast<double>(frequency.QuadPart);
}

double Stopwatch::SecondsFor(const Work& work, long n) const {
  LARGE_INTEGER start, stop;
  QueryPerformanceCounter(&start);
  work(n);
  QueryPerformanceCounter(&stop);
  return static_cast<double>(stop.QuadPart - start.QuadPart) * tick_;
}

long Stopwatch::BatchFor(const Work& work) const {
  work(1);  // warm caches and first-use initialisation
  long n = 1;
  for (;;) {
    const double seconds = SecondsFor(work, n);
    if (seconds >= sampleSeconds_ || n >= (1L << 26)) return n;
    // Grow towards the wanted length, at most tenfold per step.
    const double factor = seconds > 0 ? std::min(10.0, 1.2 * sampleSeconds_ / seconds) : 10.0;
    n = std::max(n + 1, static_cast<long>(static_cast<double>(n) * factor));
  }
}

Timing Stopwatch::Measure(const Work& work, const Work& baseline) const {
  const long workBatch = BatchFor(work);
  const long baselineBatch = baseline ? BatchFor(baseline) : 0;
  std::vector<double> workNs, baselineNs, ratios;
  for (int sample = 0; sample < samples_; ++sample) {
    workNs.push_back(SecondsFor(work, workBatch) * 1e9 / static_cast<double>(workBatch));
    if (!baseline) continue;
    baselineNs.push_back(SecondsFor(baseline, baselineBatch) * 1e9 / static_cast<double>(baselineBatch));
    // A pair shares the machine's state of the moment; its ratio is steadier
    // than the ratio of two medians when the load changes during the run.
    ratios.push_back(workNs.back() / baselineNs.back());
  }
  Timing timing;
  timing.caseNs = Median(workNs);
  if (baseline) {
    timing.baselineNs = Median(baselineNs);
    timing.ratio = Median(ratios);
  }
  return timing;
}

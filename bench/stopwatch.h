// Times a piece of work as the median of many samples. A sample runs the work
// in a batch long enough for the clock to resolve it; a case and its baseline
// are sampled alternately, so that a disturbance of the machine touches both.
#pragma once
#include <functional>

struct Timing {
  double caseNs = 0;      // median time of one run of the case, in nanoseconds
  double baselineNs = 0;  // the same for the baseline; 0 when there is none
  double ratio = 0;       // median of the ratios of samples taken side by side; 0 without a baseline
};

class Stopwatch {
 public:
  // `samples` per case; each sample lasts about `sampleMicroseconds`.
  Stopwatch(int samples, double sampleMicroseconds);

  // `work(n)` runs the work n times.
  using Work = std::function<void(long n)>;
  Timing Measure(const Work& work, const Work& baseline) const;

 private:
  // How many runs make one sample of about the wanted length.
  long BatchFor(const Work& work) const;
  double SecondsFor(const Work& work, long n) const;

  int samples_;
  double sampleSeconds_;
  double tick_;  // seconds per clock tick
};

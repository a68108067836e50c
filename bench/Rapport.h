#pragma once
// A console report that ends with each benchmark's time as a ratio of a
// reference benchmark's time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace plivor::bench {

class RapportRatios : public benchmark::ConsoleReporter {
 public:
  RapportRatios(std::string reference, std::string legende)
      : reference_(std::move(reference)), legende_(std::move(legende)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) temps_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto reference = temps_.find(reference_);
    if (reference == temps_.end() || reference->second <= 0) return;
    std::printf("%s\n", legende_.c_str());
    for (const auto& [nom, temps] : temps_)
      if (nom != reference_) std::printf("  %-40s %.2f x %s\n", nom.c_str(), temps / reference->second, reference_.c_str());
  }

 private:
  std::string reference_;
  std::string legende_;
  std::map<std::string, double> temps_;
};

}  // namespace plivor::bench

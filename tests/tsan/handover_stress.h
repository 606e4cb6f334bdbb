#pragma once
// A stress run of the hint hand-over: per run, a worker thread answers
// requests with a lookup that passes the gate between "records" and a
// "synchronised update" under the user-interface lock, while the
// user-interface side offers requests as fast as it can, pauses, continues
// and ends the run in the middle of lookups. Returns an empty string when all
// held: no request lost (every run goes idle again and every accepted request
// was answered), no result published after its run ended, no offer taken
// while busy or paused.
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "practice/rules/hint_handover.h"

inline std::string RunHandOverStress(int runs, int releasesPerRun) {
  std::mt19937 random(12345);
  for (int run = 0; run < runs; ++run) {
    THintHandOver handOver;
    std::mutex ui;  // held by the user-interface side and by the update
    bool ended = false;
    int accepted = 0, published = 0, lateResults = 0;
    std::atomic<int> answered{0};
    std::string lastPublished;
    std::thread worker([&] {
      THintRequest request;
      std::string result;  // the thread's own result
      while (handOver.Take(request)) {
        bool completed = true;
        for (int record = 0; record < 50 && completed; ++record) completed = handOver.Gate();
        if (!completed) break;
        result = request.NextChar;
        {
          std::lock_guard<std::mutex> g(ui);
          if (!handOver.Stopped()) {
            if (ended) ++lateResults;
            ++published;
            lastPublished = result;
          }
        }
        ++answered;
        handOver.Done();
      }
    });
    bool paused = false;
    std::string error;
    const bool endMidway = run % 2 == 1;
    for (int i = 0; i < releasesPerRun && error.empty(); ++i) {
      std::lock_guard<std::mutex> g(ui);
      const unsigned dice = random() % 100;
      if (dice < 3) {
        paused ? handOver.Continue() : handOver.Pause();
        paused = !paused;
        continue;
      }
      THintRequest q;
      q.NextChar = std::to_string(i);
      const bool taken = handOver.Offer(q);
      // Taken only once every earlier request was answered, and never while paused.
      if (taken && (answered.load() < accepted || paused)) error = "an offer was taken while busy or paused";
      if (taken) ++accepted;
    }
    if (paused) handOver.Continue();
    if (!endMidway && error.empty()) {
      // Every accepted request is answered and the thread goes idle again.
      const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (handOver.State() != kHintIdle && std::chrono::steady_clock::now() < guard)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
      std::lock_guard<std::mutex> g(ui);
      if (handOver.State() != kHintIdle) error = "a request was lost: the thread never went idle";
      else if (published != accepted) error = "answered " + std::to_string(published) + " of " + std::to_string(accepted);
    }
    {
      std::lock_guard<std::mutex> g(ui);
      ended = true;
      handOver.Stop();
    }
    worker.join();
    if (handOver.Offer(THintRequest{})) error = "a stopped hand-over took an offer";
    if (lateResults) error = "a result was published after its run ended";
    if (!error.empty()) return "run " + std::to_string(run) + ": " + error;
  }
  return std::string();
}

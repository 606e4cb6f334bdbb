#pragma once
// The hand-over between the article rows (user-interface thread) and one hint
// thread. One request at a time: the rows offer the next characters only while
// the thread is idle. The wake-up is an auto-reset signal under a lock, so a
// request made at any moment is never lost; pause is a gate the thread checks
// between table records; stop ends the thread's wait and every lookup.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

// The next characters of the row after the typed part (GBK, cut where the row ends).
struct THintRequest {
  std::string NextChar;        // 2 bytes
  std::string NextTwoChars;    // 4 bytes
  std::string NextThreeChars;  // 6 bytes
  std::string NextFourChars;   // 8 bytes
};
inline bool operator==(const THintRequest& a, const THintRequest& b) {
  return a.NextChar == b.NextChar && a.NextTwoChars == b.NextTwoChars && a.NextThreeChars == b.NextThreeChars &&
         a.NextFourChars == b.NextFourChars;
}

// HintThreadState values: no thread, a request pending or worked on, idle.
const std::uint8_t kHintNone = 0, kHintBusy = 1, kHintIdle = 2;

class THintHandOver {
public:
  // User-interface thread.
  // Hands `request` over when the thread is idle; false (nothing changes) when
  // it is busy, stopped or paused.
  bool Offer(const THintRequest& request);
  std::uint8_t State() const;
  void Pause();
  void Continue();
  // For good: the thread's wait and lookup end, its results are dropped.
  void Stop();
  bool Stopped() const { return stopped_.load(std::memory_order_acquire); }

  // Hint thread.
  // Waits for a request; false once stopped.
  bool Take(THintRequest& request);
  // Between records: waits while paused; false once stopped.
  bool Gate();
  // The request has been answered: the rows may offer the next.
  void Done();

private:
  mutable std::mutex lock_;
  std::condition_variable signal_;
  THintRequest request_;
  bool pending_ = false;  // the auto-reset signal
  std::uint8_t state_ = kHintIdle;
  bool pausedLocked_ = false;
  std::atomic<bool> paused_{false};
  std::atomic<bool> stopped_{false};
};

#include "practice/rules/hint_handover.h"

bool THintHandOver::Offer(const THintRequest& request) {
  {
    std::lock_guard<std::mutex> g(lock_);
    if (state_ != kHintIdle || stopped_.load(std::memory_order_relaxed) || pausedLocked_) return false;
    request_ = request;
    pending_ = true;
    state_ = kHintBusy;
  }
  signal_.notify_one();
  return true;
}

std::uint8_t THintHandOver::State() const {
  std::lock_guard<std::mutex> g(lock_);
  return state_;
}

void THintHandOver::Pause() {
  std::lock_guard<std::mutex> g(lock_);
  pausedLocked_ = true;
  paused_.store(true, std::memory_order_release);
}

void THintHandOver::Continue() {
  {
    std::lock_guard<std::mutex> g(lock_);
    pausedLocked_ = false;
    paused_.store(false, std::memory_order_release);
  }
  signal_.notify_all();
}

void THintHandOver::Stop() {
  {
    std::lock_guard<std::mutex> g(lock_);
    stopped_.store(true, std::memory_order_release);
  }
  signal_.notify_all();
}

bool THintHandOver::Take(THintRequest& request) {
  std::unique_lock<std::mutex> g(lock_);
  signal_.wait(g, [this] { return (pending_ && !pausedLocked_) || stopped_.load(std::memory_order_relaxed); });
  if (stopped_.load(std::memory_order_relaxed)) return false;
  pending_ = false;
  request = request_;
  return true;
}

bool THintHandOver::Gate() {
  if (!paused_.load(std::memory_order_acquire)) return !Stopped();
  std::unique_lock<std::mutex> g(lock_);
  signal_.wait(g, [this] { return !pausedLocked_ || stopped_.load(std::memory_order_relaxed); });
  return !stopped_.load(std::memory_order_relaxed);
}

void THintHandOver::Done() {
  std::lock_guard<std::mutex> g(lock_);
  state_ = kHintIdle;
}

#include "toolkit/win/object_instance.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>

#include "toolkit/base/exception.h"
#include "toolkit/win/app_errors.h"

namespace {

// One thunk: mov rcx, <instance>; mov rax, <StdWndProc>; jmp rax. The window
// handle in rcx is replaced by the instance; the method knows its own window.
struct Thunk {
  unsigned char code[32];
  TWndMethod method;
  int running;       // calls of the method in progress (user-interface thread only)
  bool freePending;  // freed while running: goes back to the pool when the last call returns
};

void Release(Thunk* t);

LRESULT CALLBACK StdWndProc(Thunk* self, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  ++self->running;
  Guarded([&] { self->method(m); });
  if (--self->running == 0 && self->freePending) Release(self);
  return m.Result;
}

constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kPerPage = kPageSize / sizeof(Thunk);

std::mutex g_lock;
// The thunk freed longest ago is reused first, so that a procedure address
// someone still holds by mistake is not handed to another object at once.
std::deque<Thunk*> g_free;

Thunk* Allocate() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_free.empty()) {
    auto* page = static_cast<Thunk*>(VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page) throw Exception("out of memory for window procedures");
    for (std::size_t i = 0; i < kPerPage; ++i) g_free.push_back(page + i);
  }
  Thunk* t = g_free.front();
  g_free.pop_front();
  return t;
}

void Release(Thunk* t) {
  t->freePending = false;
  t->method.~TWndMethod();
  std::lock_guard<std::mutex> guard(g_lock);
  g_free.push_back(t);
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) {
  Thunk* t = Allocate();
  new (&t->method) TWndMethod(std::move(method));
  t->running = 0;
  t->freePending = false;
  unsigned char* p = t->code;
  std::uint64_t self = reinterpret_cast<std::uint64_t>(t);
  std::uint64_t target = reinterpret_cast<std::uint64_t>(&StdWndProc);
  *p++ = 0x48; *p++ = 0xB9; std::memcpy(p, &self, 8); p += 8;    // mov rcx, imm64
  *p++ = 0x48; *p++ = 0xB8; std::memcpy(p, &target, 8); p += 8;  // mov rax, imm64
  *p++ = 0xFF; *p++ = 0xE0;                                      // jmp rax
  FlushInstructionCache(GetCurrentProcess(), t->code, sizeof t->code);
  return reinterpret_cast<WNDPROC>(static_cast<void*>(t->code));
}

void FreeObjectInstance(WNDPROC instance) {
  if (!instance) return;
  Thunk* t = reinterpret_cast<Thunk*>(reinterpret_cast<void*>(instance));
  if (t->running > 0) {
    t->freePending = true;
    return;
  }
  Release(t);
}

#pragma once
// LZHUF decoder of the skin container, working through read and write callbacks.
#include <cstdint>
#include <functional>

#include "toolkit/base/exception.h"

class ElzhException : public Exception {
public:
  using Exception::Exception;
};

class TLZH {
public:
  // (buffer, requested count, out count actually moved)
  using TTransfer = std::function<void(void* buffer, int count, int& moved)>;

  // The largest decoded size accepted; larger claims raise ElzhException.
  static constexpr std::int64_t MaxDecodedSize = 64 * 1024 * 1024;

  // Produces exactly size bytes through write (in batches of up to 4 KB) from
  // the code stream that read gives, one byte per call.
  // Raises ElzhException for a size out of range or a code stream that ends
  // before size bytes are decoded (a truncated or damaged container).
  void Decode(std::int64_t size, const TTransfer& write, const TTransfer& read);
};

#pragma once
// A program folder (or a file) the user may only read, made here as Wine,
// which runs every program as an administrator, allows it: a read-only bind
// mount of a copied folder (or of a file onto itself), made with the host's
// mount command (root only) in a host shell that Wine starts. Where the host
// refuses, Made() is false and Why() says why.
#include <windows.h>

#include <string>

#include "host_shell.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"

namespace readonly_detail {
using host_shell::HostPath;
using host_shell::Quoted;

// Binds `source` read-only at `target` (host paths); the shell's status.
inline int BindReadOnly(const std::string& source, const std::string& target) {
  return RunHostShell("mount --bind " + Quoted(source) + " " + Quoted(target) + " || exit 1; " +
                      "mount -o remount,ro,bind " + Quoted(target) + " || { umount " + Quoted(target) + "; exit 2; }");
}

inline std::string Refused(int status) {
  return "the host refused the read-only bind mount (status " + std::to_string(status) + "; root only)";
}
}  // namespace readonly_detail

class TReadOnlyMount {
public:
  // Mounts `folder` (a Windows path ending in '\') read-only at `folder` less
  // its last '\' plus "_ro".
  explicit TReadOnlyMount(const std::string& folder) : path_(folder.substr(0, folder.size() - 1) + "_ro\\") {
    using namespace readonly_detail;
    CreateDirectoryW(GbkToWide(path_).c_str(), nullptr);
    const std::string source = HostPath(folder), target = HostPath(path_);
    if (source.empty() || target.empty()) {
      why_ = "no host path (not running under Wine?)";
      return;
    }
    const int status = BindReadOnly(source, target);
    mounted_ = status == 0;
    if (!mounted_) {
      why_ = Refused(status);
      return;
    }
    // Read-only for this process too, whatever its rights.
    if (WriteFileBytes(path_ + "write_probe", "x", 1)) {
      RemoveFile(path_ + "write_probe");
      why_ = "the mount took writes";
    }
  }
  ~TReadOnlyMount() {
    if (mounted_) RunHostShell("umount -l " + readonly_detail::Quoted(readonly_detail::HostPath(path_)));
    RemoveDirectoryW(GbkToWide(path_).c_str());
  }
  TReadOnlyMount(const TReadOnlyMount&) = delete;
  TReadOnlyMount& operator=(const TReadOnlyMount&) = delete;
  bool Made() const { return mounted_ && why_.empty(); }
  const std::string& Why() const { return why_; }
  // The read-only folder, ending in '\'.
  const std::string& Path() const { return path_; }

private:
  std::string path_, why_;
  bool mounted_ = false;
};

// A file the user may only read in a folder that takes writes: the file bound
// read-only onto itself while the object lives.
class TReadOnlyFile {
public:
  explicit TReadOnlyFile(const std::string& file) : host_(readonly_detail::HostPath(file)) {
    if (host_.empty()) {
      why_ = "no host path (not running under Wine?)";
      return;
    }
    const int status = readonly_detail::BindReadOnly(host_, host_);
    mounted_ = status == 0;
    if (!mounted_) why_ = readonly_detail::Refused(status);
  }
  ~TReadOnlyFile() {
    if (mounted_) RunHostShell("umount -l " + readonly_detail::Quoted(host_));
  }
  TReadOnlyFile(const TReadOnlyFile&) = delete;
  TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;
  bool Made() const { return mounted_; }
  const std::string& Why() const { return why_; }

private:
  std::string host_, why_;
  bool mounted_ = false;
};

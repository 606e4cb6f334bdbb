#pragma once
// Registry keys and their integer and string values, with GBK names and text.
#include <string>

#include "toolkit/base/exception.h"

struct HKEY__;
using TRootKey = HKEY__*;  // the system's key handle

class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

// The kind of data a value holds; rdUnknown for a missing value or any other kind.
enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
  TRegistry();  // root HKEY_LOCAL_MACHINE, no key open
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  TRootKey RootKey() const { return root_; }
  void SetRootKey(TRootKey root);  // closes the open key
  const std::string& CurrentPath() const { return path_; }
  bool HasCurrentKey() const { return current_ != nullptr; }

  // A path starting with '\' is taken from the root; any other from the open
  // key (or the root when none is open). On success the key becomes the open one.
  bool OpenKey(const std::string& path, bool canCreate);
  // Opens an existing key for reading only (writes then raise).
  bool OpenKeyReadOnly(const std::string& path);
  bool CreateKey(const std::string& path);  // leaves the open key as it is
  bool KeyExists(const std::string& path);
  void CloseKey();

  // Values of the open key. Reads raise ERegistryException when no key is open,
  // the value is missing (except ReadString, which gives "") or has another type;
  // writes raise it when the value cannot be stored.
  bool ValueExists(const std::string& name);
  TRegDataType GetDataType(const std::string& name);
  int ReadInteger(const std::string& name);
  void WriteInteger(const std::string& name, int value);
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  // Moves a value, its kind and data as they are, to another name (replacing
  // a value of that name); false when it could not be moved.
  bool RenameValue(const std::string& oldName, const std::string& newName);

private:
  TRootKey BaseFor(const std::string& path, std::wstring& relative) const;
  TRootKey NeedKey(const std::string& what) const;
  void Adopt(TRootKey key, TRootKey base, const std::string& path);  // the open key from now on

  TRootKey root_;
  TRootKey current_ = nullptr;
  std::string path_;
};

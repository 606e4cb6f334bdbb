#pragma once
// Resource modules loaded as data, and views of their resources.
//
// A view points into the module's own memory: it is never copied and stays
// valid until the module is freed.
#include <cstddef>
#include <string>

#include "toolkit/base/exception.h"

struct HINSTANCE__;
using TModule = HINSTANCE__*;  // the system's module handle

// A resource asked for by name that the module does not hold.
class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

// A resource type given by number, written as the system's "#n" names.
extern const char* const RT_RCDATA_NAME;  // "#10"

struct TResourceView {
  const void* Data = nullptr;
  std::size_t Size = 0;
};

// Loads a module as data (no code runs); path is GBK. Null when it cannot be loaded.
TModule LoadDataModule(const std::string& path);
void FreeDataModule(TModule module);

// Looks up name and type ("WAV", "GIF", "FORMDEF", RT_RCDATA_NAME...), without
// regard to letter case. A null module means the running exe.
bool FindResourceView(TModule module, const std::string& name, const std::string& type, TResourceView& view);
// The same, raising EResNotFound when the resource is absent.
TResourceView ResourceView(TModule module, const std::string& name, const std::string& type);

// The folder of the running exe in GBK, ending in '\'. Every data file,
// module and document of the program is looked up here.
std::string ProgramFolder();
// Tests point the program at a scratch folder; an empty folder undoes it.
void SetProgramFolderOverride(const std::string& folder);
// The user's temporary folder in GBK, ending in '\' (empty when the system gives none).
std::string UserTempFolder();

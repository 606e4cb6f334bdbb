#include "toolkit/win/open_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "toolkit/win/application.h"
#include "toolkit/base/gbk_wide.h"

namespace {
TOpenDialog::TAnswer& Answer() {
  static TOpenDialog::TAnswer answer;
  return answer;
}

HWND DialogOwner() {
  if (Screen)
    if (TCustomForm* f = Screen->ActiveForm(); f && f->HandleAllocated()) return f->HandleOrNull();
  return Application ? Application->Handle() : nullptr;
}
}  // namespace

const TClassInfo& TOpenDialog::StaticClass() {
  static const TClassInfo info = TClassBuilder<TOpenDialog>("TOpenDialog", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter)
                                     .Prop("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex)
                                     .Prop("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir)
                                     .Prop("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName)
                                     .Prop("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle)
                                     .Set("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions,
                                          {"ofReadOnly", "ofHideReadOnly", "ofNoChangeDir", "ofPathMustExist",
                                           "ofFileMustExist"})
                                     .Build();
  return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

TOpenDialog::TAnswer TOpenDialog::SetAnswer(TAnswer answer) {
  TAnswer old = std::move(Answer());
  Answer() = std::move(answer);
  return old;
}

bool TOpenDialog::Execute() {
  if (Answer()) return Answer()(*this);
  // The filter's "|" separators become NULs, and the list ends with two.
  std::wstring filter = GbkToWide(filter_);
  for (auto& ch : filter)
    if (ch == L'|') ch = L'\0';
  if (!filter.empty()) filter.append(2, L'\0');
  std::wstring title = GbkToWide(title_), dir = GbkToWide(initialDir_);
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring initial = GbkToWide(fileName_);
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
  if (options_ & ofReadOnly) ofn.Flags |= OFN_READONLY;
  if (options_ & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (options_ & ofNoChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
  if (options_ & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (options_ & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&ofn)) return false;
  fileName_ = WideToGbk(file.data());
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}

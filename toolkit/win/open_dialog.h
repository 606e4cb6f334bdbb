#pragma once
// The system's file-open dialog, with GBK text in and out.
#include <functional>
#include <string>

#include "toolkit/base/component.h"

enum TOpenOption : unsigned { ofReadOnly = 1, ofHideReadOnly = 2, ofNoChangeDir = 4, ofPathMustExist = 8,
                              ofFileMustExist = 16 };
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
  TK_CLASS(TOpenDialog)
public:
  explicit TOpenDialog(TComponent* owner);

  // "Text|*.txt|All files|*.*": pairs of description and pattern.
  const std::string& GetFilter() const { return filter_; }
  void SetFilter(const std::string& f) { filter_ = f; }
  int GetFilterIndex() const { return filterIndex_; }  // 1-based
  void SetFilterIndex(int i) { filterIndex_ = i; }
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& d) { initialDir_ = d; }
  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(const std::string& f) { fileName_ = f; }
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }
  TOpenOptions GetOptions() const { return options_; }
  void SetOptions(TOpenOptions o) { options_ = o; }

  // Shows the dialog; true with FileName set when the user chose a file.
  bool Execute();

  // Tests answer in place of the user: the function gets the dialog (to read its
  // settings and set FileName) and returns what Execute returns. Returns the previous one.
  using TAnswer = std::function<bool(TOpenDialog& dialog)>;
  static TAnswer SetAnswer(TAnswer answer);

private:
  std::string filter_, initialDir_, fileName_, title_;
  int filterIndex_ = 1;
  TOpenOptions options_ = ofHideReadOnly;
};

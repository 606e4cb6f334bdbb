#pragma once
// The string lists of the controls (Items, Lines): GBK strings in order, with a
// hook through which the owning control mirrors every change into its window.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/base/classes.h"
#include "toolkit/base/component.h"

class TControlStrings : public TPersistent {
  TK_CLASS(TControlStrings)
public:
  enum class TChange { Insert, Delete, Put, Reset };
  // Told after each change: what changed and where (Reset: the whole list).
  std::function<void(TChange change, int index)> OnChanged;

  int Count() const { return static_cast<int>(items_.size()); }
  // These raise EListError on an index outside the list.
  std::string Strings(int i) const;
  void Put(int i, const std::string& s);
  void Delete(int i);
  void Insert(int i, const std::string& s);
  // Appends, or inserts at its sorted place when Sorted; returns the index.
  int Add(const std::string& s);
  void Clear();
  // ASCII letters compared without case; -1 when absent.
  int IndexOf(const std::string& s) const;
  // Every string followed by CR LF; set splits at CR LF, CR or LF.
  std::string GetText() const;
  void SetText(const std::string& text);
  const std::vector<std::string>& List() const { return items_; }
  void SetList(const std::vector<std::string>& list);
  void Assign(const TPersistent& source) override;

  bool GetSorted() const { return sorted_; }
  void SetSorted(bool v);

  // Takes the list as the window now holds it, without telling the owner.
  void Load(std::vector<std::string> list) { items_ = std::move(list); }

private:
  void Check(int i) const;
  void Changed(TChange c, int i);
  std::vector<std::string> items_;
  bool sorted_ = false;
};

// Splits text into lines at CR LF, CR or LF; a final line break adds no line.
std::vector<std::string> SplitLines(const std::string& text);

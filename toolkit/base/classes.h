#pragma once
// Lists: a list of pointers and lists of GBK strings with attached objects.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/base/exception.h"

class TStream;

// An index outside a list, or an operation a sorted list does not allow.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// A list of untyped pointers; it owns nothing.
class TList : public TObject {
  TK_CLASS(TList)
public:
  int Count() const { return static_cast<int>(items_.size()); }
  void* Items(int index) const;
  void SetItems(int index, void* item);
  int Add(void* item);
  void Insert(int index, void* item);  // 0..Count
  void Delete(int index);
  int Remove(void* item);  // index it had, -1 when absent
  int IndexOf(void* item) const;
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void Clear() { items_.clear(); }

private:
  std::vector<void*> items_;
};

// The interface of every string list, stored here or in a control. Indices count
// from 0; a bad index raises EListError. Objects are attached, never owned.
class TStrings : public TPersistent {
  TK_CLASS(TStrings)
public:
  virtual int Count() const = 0;
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& s);
  virtual TObject* Objects(int index) const { return nullptr; }
  virtual void SetObjects(int index, TObject* object) {}
  virtual void Insert(int index, const std::string& s) = 0;  // 0..Count
  virtual void Delete(int index) = 0;
  virtual void Clear();
  virtual int Add(const std::string& s);  // the new item's index
  int AddObject(const std::string& s, TObject* object);
  void InsertObject(int index, const std::string& s, TObject* object);
  // First item equal to s without regard to ASCII letter case, or -1.
  virtual int IndexOf(const std::string& s) const;
  std::string operator[](int index) const { return Strings(index); }

  // Every item followed by CR LF. Setting splits at CR LF, a lone CR or a lone LF;
  // a break at the very end adds no empty item.
  std::string Text() const;
  void SetText(const std::string& text);
  std::vector<std::string> ToVector() const;
  void SetVector(const std::vector<std::string>& items);

  // GBK bytes as they are; lines end in CR LF. Loading raises EFOpenError and
  // leaves the list as it was when the file cannot be read.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  void LoadFromStream(TStream& stream);  // from the stream's position to its end
  void SaveToStream(TStream& stream) const;

  // Changes between the outermost BeginUpdate and EndUpdate notify once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Copies the items and their objects of another TStrings.
  void Assign(const TPersistent& source) override;

protected:
  // Called when the outermost update begins (true) and ends (false).
  virtual void SetUpdateState(bool updating) {}
  [[noreturn]] void IndexError(int index) const;

private:
  int updateCount_ = 0;
};

// Strings kept in memory, optionally sorted with CompareText, with a change event.
class TStringList : public TStrings {
  TK_CLASS(TStringList)
public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& s) override;  // EListError when sorted
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;  // EListError when sorted
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;  // a sorted list puts it after equal items

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);  // sorts at once when turned on
  void Sort();                  // stable, objects move with their strings

  // After each change (or once after an update): the list itself is the argument.
  std::function<void(TObject*)> OnChange;

protected:
  void SetUpdateState(bool updating) override;

private:
  struct TItem {
    std::string Str;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int index) const;
  void Changed();

  std::vector<TItem> items_;
  bool sorted_ = false;
  bool pendingChange_ = false;
};

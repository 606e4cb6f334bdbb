#pragma once
// Published event handlers of a root component (a form), found by name when a
// form definition binds "OnClick = Button1Click". Each entry turns a member
// function into a std::function of the event's own type, bound to the object.
#include <any>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/sysutils.h"

template <class T>
class TMethodTable {
public:
  struct Entry {
    std::string Name;
    std::function<std::any(T*)> Make;
  };

  template <class... Args>
  static Entry Method(std::string name, void (T::*method)(Args...)) {
    return Entry{std::move(name), [method](T* self) -> std::any {
                   return std::function<void(Args...)>(
                       [self, method](Args... args) { (self->*method)(std::forward<Args>(args)...); });
                 }};
  }

  TMethodTable(std::initializer_list<Entry> entries) : entries_(entries) {}

  std::any Find(T* self, const std::string& name) const {
    for (const Entry& e : entries_)
      if (SameText(e.Name, name)) return e.Make(self);
    return {};
  }

private:
  std::vector<Entry> entries_;
};

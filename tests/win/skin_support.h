#pragma once
// The program's skin as the main window's definition stores it, taken apart
// and packed again with changes, for the skin tests.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "container_writer.h"
#include "skin/portable/skin_reader.h"
#include "toolkit/base/form_parser.h"
#include "toolkit/win/resources.h"

// The SkinStream value of SkinData1 in the main window's definition.
inline std::vector<std::uint8_t> EmbeddedSkinStream() {
  TResourceView view = ResourceView(nullptr, "TForm1", "FORMDEF");
  TFormObject root = ParseFormDefinition(std::string(static_cast<const char*>(view.Data), view.Size), "TForm1.form");
  for (const TFormObject& child : root.Children)
    if (child.Name == "SkinData1")
      for (const TFormProperty& p : child.Props)
        if (p.Name == "SkinStream") return p.Value.Bytes;
  return {};
}

// A SkinStream value: int32 length, then the container.
inline std::vector<std::uint8_t> AsSkinStream(const std::vector<std::uint8_t>& container) {
  std::vector<std::uint8_t> out(4 + container.size());
  std::int32_t n = static_cast<std::int32_t>(container.size());
  std::memcpy(out.data(), &n, 4);
  std::memcpy(out.data() + 4, container.data(), container.size());
  return out;
}

// The entries of the embedded skin, in container order.
inline std::vector<TSkinEntry> EmbeddedSkinEntries() {
  std::vector<std::uint8_t> stream = EmbeddedSkinStream();
  TMemoryStream container;
  if (stream.size() > 4) container.Write(stream.data() + 4, static_cast<std::int64_t>(stream.size() - 4));
  TSkinReader reader;
  std::vector<TSkinEntry> entries;
  if (!reader.Load(container)) return entries;
  for (const std::string& name : reader.Names()) {
    TMemoryStream entry;
    reader.GetEntry(name, entry);
    entries.push_back({name, std::vector<std::uint8_t>(entry.Memory(), entry.Memory() + entry.Size())});
  }
  return entries;
}

inline TSkinEntry* FindSkinEntry(std::vector<TSkinEntry>& entries, const std::string& suffix) {
  for (TSkinEntry& e : entries)
    if (e.name.size() >= suffix.size() && e.name.compare(e.name.size() - suffix.size(), suffix.size(), suffix) == 0)
      return &e;
  return nullptr;
}

inline std::string EntryText(const TSkinEntry& e) { return std::string(e.bytes.begin(), e.bytes.end()); }
inline void SetEntryText(TSkinEntry& e, const std::string& text) { e.bytes.assign(text.begin(), text.end()); }

#pragma once
// Form definitions: the text that describes a window's components.
//
//   object Form1: TForm1
//     Caption = 'Title'
//     Font.Style = [fsBold]
//     object Label1: TLabel
//       Caption = 'It''s'
//     end
//   end
//
// The text is GBK; only string values may hold double-byte characters.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/exception.h"

// A definition that cannot be read. The message names the file, the line and,
// where one is concerned, the property.
class EFormDefError : public Exception {
public:
  EFormDefError(const std::string& file, int line, const std::string& property, const std::string& message);
  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  const std::string& Property() const { return property_; }
  const std::string& Detail() const { return detail_; }

private:
  std::string file_;
  int line_;
  std::string property_;
  std::string detail_;
};

enum class TFormValueKind { Integer, Float, Ident, String, Set, List, Collection, Binary };

struct TFormProperty;

// One `item ... end` of a collection value.
struct TFormItem {
  int Line = 0;
  std::vector<TFormProperty> Props;
};

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  int Line = 0;
  std::int64_t Int = 0;             // Integer
  double Float = 0;                 // Float
  std::string Str;                  // Ident, String (quotes removed, pieces joined)
  std::vector<std::string> Names;   // Set: element names
  std::vector<std::string> Strings; // List
  std::vector<TFormItem> Items;     // Collection
  std::vector<std::uint8_t> Bytes;  // Binary
};

struct TFormProperty {
  std::string Name;  // may be dotted: "Font.Name"
  int Line = 0;
  TFormValue Value;
};

struct TFormObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;     // of `object`
  int EndLine = 0;  // of its `end`
  std::vector<TFormProperty> Props;
  std::vector<TFormObject> Children;
};

const char* FormValueKindName(TFormValueKind kind);

// Parses a whole definition (one root object). Raises EFormDefError.
TFormObject ParseFormDefinition(const std::string& text, const std::string& fileName);

#pragma once
// Rich edit over the system's rich text control: one line shown, no word wrap.
// SelStart/SelLength are GBK bytes of Text (a paragraph break counts as CR LF),
// mapped to the control's character positions; SelAttributes colours the
// characters the selection covers.
#include "toolkit/win/control_strings.h"
#include "toolkit/win/edit.h"

#include <richedit.h>

class TRichEdit;
struct ITextRange;
struct ITextFont;

// Character attributes of a rich edit's selection.
class TTextAttributes : public TPersistent {
  TK_CLASS(TTextAttributes)
public:
  explicit TTextAttributes(TRichEdit* owner) : owner_(owner) {}
  TColor GetColor() const;
  void SetColor(TColor c);

private:
  TRichEdit* owner_;
};

class TRichEdit : public TCustomEdit {
  TK_CLASS(TRichEdit)
public:
  explicit TRichEdit(TComponent* owner);
  ~TRichEdit() override;

  TControlStrings* GetLines() const { return lines_.get(); }
  std::vector<std::string> GetLinesList() const { return lines_->List(); }
  void SetLinesList(const std::vector<std::string>& l) { lines_->SetList(l); }
  TTextAttributes* SelAttributes() const { return selAttributes_.get(); }
  // Text set through Text is never read as rich text when PlainText is on.
  bool GetPlainText() const { return plainText_; }
  void SetPlainText(bool v) { plainText_ = v; }

  std::string GetText() const override;
  void SetText(const std::string& text) override;

  // Colours `count` characters from position `first` (as the control counts
  // them: a two-byte character and a paragraph end are one each), leaving the
  // selection where it is.
  void SetCharsColor(int first, int count, TColor color);
  // The same for the colour behind them; clNone: the window's own.
  void SetCharsBackColor(int first, int count, TColor color);

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;
  void FontChanged() override;
  void ColorChanged() override;
  void GetSelChars(int& start, int& end) const override;
  void SetSelChars(int start, int end) override;
  std::wstring PositionText() const override;
  bool IsParagraphCrLf() const override { return true; }
  bool LimitsBytes() const override { return false; }
  void MaxLengthChanged() override;
  void DestroyWnd() override;

private:
  friend class TTextAttributes;
  void PutWindowText(const std::string& text, bool plain);
  void ApplyFont();
  // Runs f with the window writable (a read-only window refuses code changes on some systems).
  template <class F>
  void Writable(F f);
  // Puts a character format on `count` characters from `first`: through the
  // text object model's font (`viaFont`), else through the selection (`cf`).
  template <class ViaFont>
  void FormatChars(int first, int count, ViaFont viaFont, CHARFORMAT2W& cf);
  std::unique_ptr<TControlStrings> lines_;
  std::unique_ptr<TTextAttributes> selAttributes_;
  // A range of the window's text object model and its font, for SetCharsColor
  // (a selection change makes the control lay out and draw its selection).
  void ReleaseTextRange();
  HWND rangeWindow_ = nullptr;
  ITextRange* textRange_ = nullptr;
  ITextFont* rangeFont_ = nullptr;
  bool plainText_ = false;
  bool syncing_ = false;
};

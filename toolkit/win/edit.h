#pragma once
// Single-line edit over the system EDIT class. Lengths and selections are in
// GBK bytes; the window counts UTF-16 characters, the control converts.
#include "toolkit/win/control_enums.h"
#include "toolkit/win/controls.h"

class TCustomEdit : public TWinControl {
  TK_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* owner);

  // Most bytes the user may enter (0: no limit); text set by code is not cut.
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle s);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);

  int GetSelStart() const;
  void SetSelStart(int bytes);
  int GetSelLength() const;
  void SetSelLength(int bytes);
  std::string GetSelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { SetText(""); }

  void SetText(const std::string& text) override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  void ReflectedMessage(TMessage& m) override;
  virtual void Change();
  // Selection in window positions, and the text the positions count.
  virtual void GetSelChars(int& start, int& end) const;
  virtual void SetSelChars(int start, int end);
  virtual std::wstring PositionText() const;
  virtual bool IsParagraphCrLf() const { return false; }
  // Whether MaxLength counts GBK bytes checked here (else the window keeps it).
  virtual bool LimitsBytes() const { return true; }
  virtual void MaxLengthChanged() {}
  bool codeChange_ = false;  // the text is being changed by code, not by the user
  void ApplyBorder();

private:
  int GbkLengthOfWindow() const;
  bool Fits(int addedBytes, bool selectionGoes);
  void Paste();

  int maxLength_ = 0;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool readOnly_ = false;
  int selStart_ = 0, selLength_ = 0;  // kept while there is no window
  int selStartChar_ = -1;             // where the window put selStart_
  // The last text the limit allowed, restored when input slips past it.
  std::wstring lastGood_;
  bool restoring_ = false;
};

class TEdit : public TCustomEdit {
  TK_CLASS(TEdit)
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

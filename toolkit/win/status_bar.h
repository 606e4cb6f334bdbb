#pragma once
// Status bar over the common-controls status window: one simple text or a
// row of panels, each with its text, width, alignment, bevel and style.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/control_enums.h"
#include "toolkit/win/controls.h"

class TStatusBar;

enum class TStatusPanelStyle { psText, psOwnerDraw };
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TOwnedItem {
  TK_CLASS(TStatusPanel)
public:
  explicit TStatusPanel(TStatusBar* owner) : owner_(owner) {}
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& t);
  int GetWidth() const { return width_; }
  void SetWidth(int w);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TStatusPanelBevel GetBevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel b);
  TStatusPanelStyle GetStyle() const { return style_; }
  void SetStyle(TStatusPanelStyle s);
  TBiDiMode GetBiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode m);

private:
  void Changed() override;
  TStatusBar* owner_;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
};

// The handler draws panel `panel` into `rect` of the bar's window.
using TDrawPanelEvent = std::function<void(TStatusBar* bar, TStatusPanel* panel, const RECT& rect)>;

class TStatusBar : public TWinControl {
  TK_CLASS(TStatusBar)
public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanel* AddPanel();
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel* Panels(int i) const { return panels_.at(static_cast<std::size_t>(i)).get(); }
  bool GetSimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v);
  const std::string& GetSimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& t);
  bool GetSizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v);
  TBiDiMode GetBiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode m) { biDiMode_ = m; }

  TDrawPanelEvent OnDrawPanel;
  // Tells the window of the panels again (parts, texts, styles).
  void UpdatePanels();

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;

private:
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simplePanel_ = false;
  bool sizeGrip_ = true;
  std::string simpleText_;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
};

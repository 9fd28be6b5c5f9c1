// Buttons with glyphs: the bitmap button (a push button of a kind that gives
// its caption and modal result) and the speed button (a flat button without
// a window that stays down within its group). Their glyphs are kept as read.
#pragma once

#include "host/controls/StdCtrls.h"

namespace Glossmith::inline Controls {

enum TBitBtnKind : uint8_t {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
GLS_ENUM_TYPEINFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                  "bkAbort", "bkRetry", "bkIgnore", "bkAll")
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
GLS_ENUM_TYPEINFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
GLS_ENUM_TYPEINFO(TButtonStyle, "bsAutoDetect", "bsWin31", "bsNew")

class TBitBtn : public TButton {
  GLS_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}
  static void Publish(TPublisher<TBitBtn>& P);

  // A kind other than bkCustom gives the button its caption and modal
  // result (and makes OK the default, Cancel the cancel button); a Close
  // button closes its form.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value) { FMargin = Value; }
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value) { FNumGlyphs = Value; }
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value) { FSpacing = Value; }
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle Value) { FStyle = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // The caption a kind gives ("" for bkCustom).
  static String KindCaption(TBitBtnKind Kind);
  // The caption is written unless it is the one the kind gives.
  bool IsCustomCaption() const;
  void Loaded() override;
  void Click() override;

 private:
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  Integer FNumGlyphs = 1;
  Integer FSpacing = 4;
  TButtonStyle FStyle = bsAutoDetect;
  bool FWordWrap = false;
};

// A button without a window. With a GroupIndex it stays down when clicked
// and lets the other buttons of its group (on the same parent) up; with
// AllowAllUp a click lets a down button up again.
class TSpeedButton : public TGraphicControl {
  GLS_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);
  static void Publish(TPublisher<TSpeedButton>& P);

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value) { FMargin = Value; }
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value) { FNumGlyphs = Value; }
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value) { FSpacing = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

  void Click() override;
  // The accelerator of its caption clicks it while it is visible and enabled.
  bool DialogChar(char CharCode) override;
  bool IsDownStored() const { return !ActionLink().Gives(&TActionValues::Checked, FDown); }
  bool IsImageIndexStored() const {
    return !ActionLink().Gives(&TActionValues::ImageIndex, FImageIndex);
  }

 protected:
  void ActionChanged(const TActionValues& was, const TActionValues& now, bool all) override;

 private:
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FFlat = false;
  Integer FGroupIndex = 0;
  Integer FImageIndex = -1;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  Integer FNumGlyphs = 1;
  Integer FSpacing = 4;
  bool FTransparent = true;
};

}  // namespace Glossmith::inline Controls

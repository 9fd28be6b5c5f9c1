// Image lists. The images themselves are kept by the form file's binary data
// (read and written back unchanged); the model keeps the list's settings.
#pragma once

#include "host/controls/Graphics.h"

namespace Glossmith::inline Controls {

enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
GLS_ENUM_TYPEINFO(TDrawingStyle, "dsFocus", "dsSelected", "dsNormal", "dsTransparent")
enum TImageType : uint8_t { itImage, itMask };
GLS_ENUM_TYPEINFO(TImageType, "itImage", "itMask")

class TCustomImageList : public TComponent {
  GLS_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

  Integer AllocBy() const { return FAllocBy; }
  void SetAllocBy(Integer Value) { FAllocBy = Value; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value) { FBlendColor = Value; }
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value) { FDrawingStyle = Value; }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value) { FImageType = Value; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value) { FMasked = Value; }
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool Value) { FShareImages = Value; }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  // The number of images; the model holds no pixels, so callers say how many.
  Integer Count() const { return FCount; }
  void SetCount(Integer Value) { FCount = Value; }

  TNotifyEvent OnChange;

 private:
  Integer FAllocBy = 4;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  Integer FHeight = 16;
  TImageType FImageType = itImage;
  bool FMasked = true;
  bool FShareImages = false;
  Integer FWidth = 16;
  Integer FCount = 0;
};

class TImageList : public TCustomImageList {
  GLS_CLASS(TImageList, TCustomImageList)
 public:
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
  static void Publish(TPublisher<TImageList>& P);
};

}  // namespace Glossmith::inline Controls

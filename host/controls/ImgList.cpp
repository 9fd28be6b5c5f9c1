#include "host/controls/ImgList.h"

namespace Glossmith::inline Controls {

GLS_IMPLEMENT_CLASS(TCustomImageList)
GLS_IMPLEMENT_CLASS(TImageList)

void TImageList::Publish(TPublisher<TImageList>& P) {
  using L = TCustomImageList;
  P.Int("AllocBy", &L::AllocBy, &L::SetAllocBy).Default(4);
  P.IntOf("BkColor", TColorTypeInfo(), &L::BkColor, &L::SetBkColor).Default(clNone);
  P.IntOf("BlendColor", TColorTypeInfo(), &L::BlendColor, &L::SetBlendColor).Default(clNone);
  P.Enum("DrawingStyle", &L::DrawingStyle, &L::SetDrawingStyle).Default(dsNormal);
  P.Int("Height", &L::Height, &L::SetHeight).Default(16);
  P.Enum("ImageType", &L::ImageType, &L::SetImageType).Default(itImage);
  P.Bool("Masked", &L::Masked, &L::SetMasked).Default(true);
  P.Bool("ShareImages", &L::ShareImages, &L::SetShareImages).Default(false);
  P.Int("Width", &L::Width, &L::SetWidth).Default(16);
  P.Event("OnChange", &L::OnChange);
}

}  // namespace Glossmith::inline Controls

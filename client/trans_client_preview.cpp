// The control preview: the current entry's object drawn in a sample control of its class, with
// its translated texts, at its real size, and the two information lines of the editor band.
#include "client/core/preview_plan.h"
#include "client/preview_surface.h"
#include "trans_client_frm.h"

namespace vt {

void TTransClientFrm3::ShowPreview() {
  if (!FPreviewSurface || !Project) return;
  FPreviewSurface->ShowPlan(BuildPreviewPlan(*Project, FSession.Current()));
}

void TTransClientFrm3::SetPreviewControl(QWidget *control) {
  FPreviewSurface->SetPreviewControl(control);
}

void TTransClientFrm3::PlacePreviewControl(QWidget *control, int width, int height) {
  FPreviewSurface->PlacePreviewControl(control, width, height);
}

void TTransClientFrm3::ApplyPreviewFont(QWidget *control, const TPreviewFont &font) {
  samples::TPreviewSurface::ApplyPreviewFont(control, font);
}

void TTransClientFrm3::ApplyPreviewIcon(samples::TStaticToolControl *control, int iconSize) {
  FPreviewSurface->ApplyPreviewIcon(control, iconSize);
}

QWidget *TTransClientFrm3::PreviewControl() const {
  return FPreviewSurface ? FPreviewSurface->PreviewControl() : nullptr;
}

} // namespace vt

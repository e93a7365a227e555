#pragma once
// The preview panel's machinery: the sample controls (owned by the invisible holder panel), the
// dotted frame Bevel1, the badge image_Hint, the badge and icon pictures, and the operations that
// apply a preview plan: SetPreviewControl, PlacePreviewControl, ApplyPreviewFont, ApplyPreviewIcon.
#include "client/core/preview_plan.h"

#include <QPixmap>
#include <QPointer>

class QLabel;
class QWidget;

namespace vt {
class TStaticHotBtn;
}

namespace vt::samples {

class TStaticToolControl;

class TPreviewSurface {
public:
  // Creates Bevel1 and image_Hint on panelPreview and every sample and picture on panelHidden.
  TPreviewSurface(QWidget *panelPreview, QWidget *panelHidden);

  // The editor band's information lines, filled by ShowPlan (either may be none).
  void SetInfoLabels(QLabel *labelStInfo, QLabel *label2);

  // ShowPreview's effects for a plan: information lines, badge, and the chosen sample.
  void ShowPlan(const TPreviewPlan &plan);

  void SetPreviewControl(QWidget *control);
  void PlacePreviewControl(QWidget *control, int width, int height);
  static void ApplyPreviewFont(QWidget *control, const TPreviewFont &font);
  void ApplyPreviewIcon(TStaticToolControl *control, int iconSize) const;
  void ApplyPreviewIcon(TStaticHotBtn *control, int iconSize) const;

  QWidget *PreviewControl() const { return FPreviewControl; }
  QWidget *Sample(TPreviewSample sample) const;
  QWidget *Bevel() const { return FBevel; }
  QLabel *HintImage() const { return FHintImage; }
  QWidget *PanelPreview() const { return FPanelPreview; }
  QWidget *PanelHidden() const { return FPanelHidden; }

  // Design position of the frame and of the badge on the preview panel.
  static constexpr int kBevelLeft = 8, kBevelTop = 8;
  static constexpr int kHintLeft = 8, kHintTop = 8;

private:
  // The held picture of an icon size; none for a size without one.
  QPixmap HeldIcon(int iconSize) const;

  QWidget *FPanelPreview;
  QWidget *FPanelHidden;
  QWidget *FBevel;
  QLabel *FHintImage;
  QPointer<QLabel> FStInfo, FLabel2;
  QPointer<QWidget> FPreviewControl;
  QWidget *FSamples[static_cast<int>(TPreviewSample::Generic) + 1] = {};
};

} // namespace vt::samples

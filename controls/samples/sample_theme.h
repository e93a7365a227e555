#pragma once
// The look shared by the sample controls: one set of colours and the faces they are drawn with.
#include <QColor>
#include <QRectF>

class QPainter;

namespace vt::samples::theme {

inline const QColor kText(30, 38, 52);
inline const QColor kFrame(142, 160, 186);
inline const QColor kFrameHot(70, 130, 200);
inline const QColor kFaceTop(255, 255, 255);
inline const QColor kFaceBottom(226, 233, 243);
inline const QColor kHotTop(236, 245, 255);
inline const QColor kHotBottom(196, 222, 250);
inline const QColor kMark(32, 96, 176);
inline const QColor kField(255, 255, 255);

// A rounded face with a vertical gradient; hot faces are blue.
void DrawFace(QPainter &painter, const QRectF &rect, qreal radius, bool hot);
// The highlight of a flat tool button under the mouse.
void DrawHotHighlight(QPainter &painter, const QRectF &rect);
// A 13-pixel check box or radio circle at rect, with its mark when checked.
void DrawCheckMark(QPainter &painter, const QRectF &box, bool checked, bool hot);
void DrawRadioMark(QPainter &painter, const QRectF &box, bool checked, bool hot);

} // namespace vt::samples::theme

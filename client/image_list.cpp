#include "image_list.h"

#include "client/core/list_rules.h"

#include <array>
#include <utility>

static void InitClientIcons() {
  Q_INIT_RESOURCE(client_icons);
}

namespace vt {

namespace {

QIcon LoadIcon(const char *role) {
  InitClientIcons();
  QIcon icon;
  for (int size : {16, 24, 32})
    icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(role)).arg(size), QSize(size, size));
  return icon;
}

} // namespace

const QIcon &ImageListIcon(int position) {
  static const std::array<QIcon, 32> list = [] {
    std::array<QIcon, 32> icons;
    const std::pair<int, const char *> roles[] = {
        {image::AllSections, "sec-all"},          {image::FormSection, "sec-form"},
        {image::MainMenuSection, "sec-menu"},     {image::OtherSection, "sec-other"},
        {image::ActionsSection, "sec-actions"},   {image::PropertiesSection, "sec-props"},
        {image::StatusPlain, "st-plain"},         {image::StatusCurrent, "st-current"},
        {image::StatusQuery, "st-query"},         {image::StatusWarning, "st-warning"},
        {image::StatusNeedsWork, "st-needswork"}, {image::KindCaption, "k-caption"},
        {image::KindHintPair, "k-hintpair"},      {image::KindShortHint, "k-shorthint"},
        {image::KindLongHint, "k-longhint"},      {image::KindListItems, "k-listitems"}};
    for (const auto &[pos, role] : roles) icons[static_cast<std::size_t>(pos)] = LoadIcon(role);
    return icons;
  }();
  static const QIcon none;
  if (position < 0 || position >= static_cast<int>(list.size())) return none;
  return list[static_cast<std::size_t>(position)];
}

QPixmap ButtonImage(const QString &role, int size) {
  InitClientIcons();
  return QPixmap(QStringLiteral(":/icons/%1-%2.png").arg(role).arg(size));
}

QIcon AppIcon() {
  return LoadIcon("app");
}

} // namespace vt

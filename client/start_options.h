#pragma once
// The program arguments of transclient: a project to open, a section and an entry to pick, the
// Advanced Tools switch, and a screenshot to write before exiting.
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace vt {

class TTransClientFrm3;

struct TStartOptions {
  QString Project;
  QString Section;
  QString Entry;
  QString Screenshot;
  bool Advanced = false;
};

// Parses the arguments (the program name first); none with a message on a usage error.
std::optional<TStartOptions> ParseStartOptions(const QStringList &arguments, QString *error);
// Applies the options in order: open, Advanced Tools, section, entry. False with a message when a
// step fails; later steps are then skipped.
bool ApplyStartOptions(TTransClientFrm3 &window, const TStartOptions &options, QString *error);
// Renders the widget to a PNG file.
bool SaveScreenshot(QWidget &widget, const QString &path);

} // namespace vt

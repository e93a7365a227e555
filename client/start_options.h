#pragma once
// The program arguments of transclient: a project to open, a section and an entry to pick, the
// Advanced Tools switch, and a screenshot to write before exiting.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace vt {

class TTransClientFrm3;
class TProjectPreload;

struct TStartOptions {
  QString Project;
  QString Section;
  QString Entry;
  QString Screenshot;
  bool Advanced = false;
  // Open the form preview for the section (or the entry) as F12 (or a double-click) would; a
  // screenshot then renders the preview.
  bool FormPreview = false;
  // Write the fit check of the form texts to this file and exit.
  QString FitReport;
};

// Parses the arguments (the program name first); none with a message on a usage error.
std::optional<TStartOptions> ParseStartOptions(const QStringList &arguments, QString *error);
// Applies the options in order: open, Advanced Tools, section, entry. False with a message when a
// step fails; later steps are then skipped.
// A preload of the project (see PreloadStartProject) spares the window reading it again.
bool ApplyStartOptions(TTransClientFrm3 &window, const TStartOptions &options, QString *error,
                       TProjectPreload *preload = nullptr);
// Before the toolkit starts: when the program arguments name a project to open, starts reading it
// on a thread of its own (as the window's open would), so the toolkit's start and the building of
// the window overlap the read. None when there is nothing to read ahead.
std::unique_ptr<TProjectPreload> PreloadStartProject(int argc, char **argv);
// The fit report of the open project (every section with a form text, or the chosen --section),
// written to options.FitReport. False with a message when it could not be made or written.
bool WriteFitReport(TTransClientFrm3 &window, const TStartOptions &options, QString *error);
// Renders the widget to a PNG file.
bool SaveScreenshot(QWidget &widget, const QString &path);

} // namespace vt

#include "start_options.h"

#include "client/core/project_preload.h"
#include "support/file_io.h"
#include "trans_client_frm.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QStatusBar>

namespace vt {

std::optional<TStartOptions> ParseStartOptions(const QStringList &arguments, QString *error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Vantreo Translation Client"));
  parser.addHelpOption();
  parser.addPositionalArgument(
      QStringLiteral("project"),
      QStringLiteral("A file of the language project to open (.kxLng, .SrcLng or .AutoLng)."),
      QStringLiteral("[PROJECT]"));
  const QCommandLineOption section(QStringLiteral("section"),
                                   QStringLiteral("Pick this section (\"[ALL]\" for all)."),
                                   QStringLiteral("NAME"));
  const QCommandLineOption entry(QStringLiteral("entry"),
                                 QStringLiteral("Make the entry with this full id current."),
                                 QStringLiteral("FULLID"));
  const QCommandLineOption advanced(QStringLiteral("advanced"), QStringLiteral("Turn Advanced Tools on."));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Render the window to this PNG file (BMP if it ends in .bmp) and exit."),
      QStringLiteral("FILE.png"));
  const QCommandLineOption formPreview(
      QStringLiteral("form-preview"),
      QStringLiteral(
          "Open the form preview of the --section (as F12) or of the --entry (as a double-click)."));
  const QCommandLineOption fitReport(
      QStringLiteral("fit-report"),
      QStringLiteral("Write the texts that do not fit their controls (every section with a form text, or the "
                     "--section) to this file, tab-separated, and exit."),
      QStringLiteral("FILE"));
  parser.addOptions({section, entry, advanced, screenshot, formPreview, fitReport});
  if (!parser.parse(arguments)) {
    if (error) *error = parser.errorText();
    return std::nullopt;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    if (error) *error = parser.helpText();
    return std::nullopt;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) {
    if (error) *error = QStringLiteral("Only one project can be opened.");
    return std::nullopt;
  }
  TStartOptions options;
  options.Project = positional.value(0);
  options.Section = parser.value(section);
  options.Entry = parser.value(entry);
  options.Advanced = parser.isSet(advanced);
  options.Screenshot = parser.value(screenshot);
  options.FormPreview = parser.isSet(formPreview);
  options.FitReport = parser.value(fitReport);
  if ((options.FormPreview || !options.FitReport.isEmpty()) && options.Project.isEmpty()) {
    if (error) *error = QStringLiteral("--form-preview and --fit-report need a project.");
    return std::nullopt;
  }
  if (options.FormPreview && options.Section.isEmpty() && options.Entry.isEmpty()) {
    if (error) *error = QStringLiteral("--form-preview needs --section or --entry.");
    return std::nullopt;
  }
  if ((!options.Section.isEmpty() || !options.Entry.isEmpty()) && options.Project.isEmpty()) {
    if (error) *error = QStringLiteral("--section and --entry need a project.");
    return std::nullopt;
  }
  return options;
}

std::unique_ptr<TProjectPreload> PreloadStartProject(int argc, char **argv) {
  // The arguments as the application will see them; anything the parse refuses (or the toolkit's
  // own options, which the application takes out first) leaves the open to the window.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const auto options = ParseStartOptions(arguments, nullptr);
  if (!options || options->Project.isEmpty() ||
      options->Project.endsWith(QStringLiteral(".LngPrj"), Qt::CaseInsensitive))
    return nullptr;
  return std::make_unique<TProjectPreload>(QFileInfo(options->Project).absoluteFilePath().toStdString());
}

bool ApplyStartOptions(TTransClientFrm3 &window, const TStartOptions &options, QString *error,
                       TProjectPreload *preload) {
  const auto fail = [&](const QString &text) {
    if (error) *error = text;
    return false;
  };
  // A packed project (from the file manager, say) is imported as "Import Packed Project" does; the
  // user may still cancel the target question, which leaves the window empty, not in error.
  if (options.Project.endsWith(QStringLiteral(".LngPrj"), Qt::CaseInsensitive)) {
    if (!QFileInfo(options.Project).isFile())
      return fail(QStringLiteral("Unable to Open File ") + options.Project);
    window.ImportPackedProjectFrom(options.Project);
  } else if (!options.Project.isEmpty() && !window.OpenProjectFile(options.Project, preload)) {
    return fail(QStringLiteral("Unable to Open File ") + options.Project);
  }
  if (options.Advanced) window.ShowAdvancedTools(true);
  if (!options.Section.isEmpty() && !window.ChooseSection(options.Section))
    return fail(QStringLiteral("No section ") + options.Section);
  if (!options.Entry.isEmpty() && !window.ChooseEntry(options.Entry))
    return fail(QStringLiteral("No entry ") + options.Entry);
  if (options.FormPreview) {
    if (!options.Entry.isEmpty())
      window.ShowEntryPreview(window.Current());
    else
      window.ShowFormPreview();
    if (!window.PreviewWindow()) {
      const QString section =
          options.Entry.isEmpty() ? options.Section : options.Entry.section(QLatin1Char('/'), 0, 0);
      const QString why = window.statusBar()->currentMessage();
      return fail(why.isEmpty() ? QStringLiteral("No form preview of ") + section : why);
    }
  }
  return true;
}

bool WriteFitReport(TTransClientFrm3 &window, const TStartOptions &options, QString *error) {
  std::vector<std::string> lines;
  if (!window.FitReportLines(options.Section, lines, error)) return false;
  std::string text;
  for (const std::string &line : lines) text += line + "\n";
  std::string why;
  if (!WriteFileAtomic(QFile::encodeName(options.FitReport).toStdString(), text, &why)) {
    if (error) *error = QString::fromStdString(why);
    return false;
  }
  return true;
}

bool SaveScreenshot(QWidget &widget, const QString &path) {
  QApplication::processEvents();
  QByteArray image;
  QBuffer buffer(&image);
  // A PNG with light compression: written at once, at about twice the size of the smallest. A BMP,
  // uncompressed, for runs that time the window rather than the encoder.
  const bool bmp = path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
  constexpr int kQuality = 80;
  if (!buffer.open(QIODevice::WriteOnly) || !widget.grab().save(&buffer, bmp ? "BMP" : "PNG", kQuality))
    return false;
  return WriteFileAtomic(QFile::encodeName(path).toStdString(),
                         std::string_view(image.constData(), static_cast<std::size_t>(image.size())));
}

} // namespace vt

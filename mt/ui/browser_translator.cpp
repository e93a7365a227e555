#include "mt/ui/browser_translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace vt {

namespace {

using TMakeFn = TBrowserTranslator *(*)(QWidget *);

// The module's maker, loaded once: beside the program first (where it is built), then where it is
// installed, then where this build wrote it (programs that run from other folders, such as tests).
TMakeFn LoadMaker(QString *error) {
  static TMakeFn make = nullptr;
  static QString failure;
  if (make || !failure.isEmpty()) {
    if (!make && error) *error = failure;
    return make;
  }
  const QDir programDir(QCoreApplication::applicationDirPath());
  QStringList places{programDir.filePath(QLatin1String(kBrowserModuleName))};
#ifdef VT_BROWSER_MODULE_INSTALLED
  places << QDir::cleanPath(programDir.filePath(QStringLiteral(VT_BROWSER_MODULE_INSTALLED)));
#endif
#ifdef VT_BROWSER_MODULE
  places << QStringLiteral(VT_BROWSER_MODULE);
#endif
  QStringList reasons;
  for (const QString &path : places) {
    if (!QFileInfo::exists(path)) {
      reasons << path + QStringLiteral(": not found");
      continue;
    }
    QLibrary library(path);
    make = reinterpret_cast<TMakeFn>(library.resolve("vtMakeBrowserTranslator"));
    if (make) return make; // the module stays loaded for the rest of the run
    reasons << library.errorString();
  }
  failure = QStringLiteral("The embedded browser cannot be loaded (") + reasons.join(QStringLiteral("; ")) +
            QStringLiteral(")");
  if (error) *error = failure;
  return nullptr;
}

} // namespace

TBrowserTranslator *MakeBrowserTranslator(QWidget *owner, QString *error) {
  const TMakeFn make = LoadMaker(error);
  return make ? make(owner) : nullptr;
}

} // namespace vt

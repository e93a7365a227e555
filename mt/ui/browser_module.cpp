// The module that holds the browser translation dialog: the client loads it on first use.
#include "mt/ui/gtrans_dlg.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT vt::TBrowserTranslator *vtMakeBrowserTranslator(QWidget *owner) {
  return new vt::TGTransFrm(owner);
}

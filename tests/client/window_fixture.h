#pragma once
// A main window on a temporary copy of a small project, driven with real clicks and keys.
#include "client/trans_client_frm.h"
#include "client/virtual_tree.h"
#include "controls/hot_button.h"
#include "scripted_asker.h"

#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>

namespace vt::test {

// Sections: TID_Form1 (5 visible entries), TID_Form2 (2), Messages (1).
// Form1: btnOk.TC "OK" (translated "Aceptar"), btnOk.TH hint "Confirm" (untranslated),
//        btnCancel.TC "Cancel" ([~] auto), lblName.TC "&Name" ([?] queried, comment),
//        lblAge.TC "Age" ([!] warning "Edad").
// Form2: btnOk.TC "ok" (untranslated, same source as Form1's OK apart from case),
//        lblHello.TC "Hello world" ([~] auto "Hola mundo").
// Messages: msgMissing.MG "File not found" (untranslated).
// A component of a window by its objectName; a missing one ends the test with its name.
template <class T> T *Child(const QObject &window, const char *name) {
  T *child = window.findChild<T *>(QLatin1String(name));
  if (!child) throw std::runtime_error(std::string("no component ") + name);
  return child;
}

// Writes bytes to a file of a test project (a failed open fails the test).
void WriteTestFile(const QString &path, const QByteArray &bytes);

void WriteSmallProject(const QString &folder, const QString &base);

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  QString PathOf(const QString &ext) const { return Dir.path() + QStringLiteral("/P.") + ext; }
  QByteArray ReadFile(const QString &ext) const;
  // Opens the project through the File menu and the scripted open dialog.
  void OpenThroughMenu(const QString &ext = QStringLiteral("kxLng"));
  void ClickRow(TVirtualTree *list, int row, int column = 1);
  void ClickSection(const QString &name);
  int RowOf(TVirtualTree *list, const QString &key) const;
  QString CellText(TVirtualTree *list, int row, int column) const;
  void PressKey(QWidget *target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
  TWordObj *Entry(const char *fullId) const;

  QTemporaryDir Dir;
  std::unique_ptr<TTransClientFrm3> W;
  TScriptedAsker *Asker = nullptr;
};

} // namespace vt::test

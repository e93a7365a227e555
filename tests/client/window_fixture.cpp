#include "window_fixture.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>

namespace vt::test {

void WriteTestFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

void WriteSmallProject(const QString &folder, const QString &base) {
  const QString stem = folder + QLatin1Char('/') + base;
  WriteTestFile(stem + QStringLiteral(".SrcLng"), "[TID_Form1]\n"
                                                  "btnOk._CN=TButton\n"
                                                  "btnOk.TC=OK\n"
                                                  "btnOk.TH=Confirm\n"
                                                  "btnCancel.TC=Cancel\n"
                                                  "lblName.TC=&Name\n"
                                                  "lblAge.TC=Age\n"
                                                  "[TID_Form2]\n"
                                                  "btnOk.TC=ok\n"
                                                  "lblHello.TC=Hello world\n"
                                                  "[Messages]\n"
                                                  "msgMissing.MG=File not found\n");
  WriteTestFile(stem + QStringLiteral(".kxLng"), "[_info]\n"
                                                 "DestLng=es\n"
                                                 "\n"
                                                 "[TID_Form1]\n"
                                                 "btnOk.TC=Aceptar\n"
                                                 "btnCancel.TC=[~]Cancelar\n"
                                                 "lblName.TC=[?]&Nombre\n"
                                                 "lblName.TC_?=Which name?\n"
                                                 "lblAge.TC=[!]Edad\n"
                                                 "\n"
                                                 "[TID_Form2]\n"
                                                 "lblHello.TC=[~]Hola mundo\n");
}

void WindowTest::SetUp() {
  ASSERT_TRUE(Dir.isValid());
  WriteSmallProject(Dir.path(), QStringLiteral("P"));
  W = std::make_unique<TTransClientFrm3>();
  auto asker = std::make_unique<TScriptedAsker>();
  Asker = asker.get();
  W->SetAsker(std::move(asker));
  W->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W.get()));
  W->activateWindow();
  QApplication::setActiveWindow(W.get());
}

void WindowTest::TearDown() {
  if (W) W->CurrentProject().Modified = false; // no question on the way out
  W.reset();
}

QByteArray WindowTest::ReadFile(const QString &ext) const {
  QFile file(PathOf(ext));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WindowTest::OpenThroughMenu(const QString &ext) {
  Asker->OpenFiles.push_back(PathOf(ext));
  Child<QAction>(*W, "OpenFile1")->trigger();
}

void WindowTest::ClickRow(TVirtualTree *list, int row, int column) {
  const QRect rect = list->visualRect(list->model()->index(row, column));
  ASSERT_TRUE(rect.isValid()) << "row " << row << " is not on screen";
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void WindowTest::ClickSection(const QString &name) {
  for (int row = 0; row < Child<TVirtualTree>(*W, "vtList")->model()->rowCount(); ++row)
    if (Child<TVirtualTree>(*W, "vtList")->model()->index(row, 0).data().toString() == name)
      return ClickRow(Child<TVirtualTree>(*W, "vtList"), row, 0);
  FAIL() << "no section " << name.toStdString();
}

int WindowTest::RowOf(TVirtualTree *list, const QString &key) const {
  for (int row = 0; row < list->model()->rowCount(); ++row)
    if (list->model()->index(row, 0).data().toString() == key) return row;
  return -1;
}

QString WindowTest::CellText(TVirtualTree *list, int row, int column) const {
  return list->model()->index(row, column).data().toString();
}

void WindowTest::PressKey(QWidget *target, int key, Qt::KeyboardModifiers mods) {
  QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
}

TWordObj *WindowTest::Entry(const char *fullId) const {
  return W->CurrentProject().FindEntry(fullId);
}

} // namespace vt::test

// Every top-level window the program can show, walked as assistive tools see it: each window has a
// title of its own, and every showing control that takes input has a non-empty name that no other
// control of its window shares, and can be reached with Tab.
#include "client/crash_report_frm.h"
#include "client/prev_dfm_frm.h"
#include "client/trans_client_frm.h"
#include "tests/client/scripted_asker.h"
#include "tests/client/window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#ifdef VT_TEST_BROWSER_DIALOG
#include "mt/ui/gtrans_dlg.h"
#endif
#ifdef VT_TEST_ADMIN_WINDOW
#include "tools/ui/trans_grab_frm.h"
#endif

namespace vt::test {
namespace {

// The text of the label that names a control (a buddy label), or empty.
QString LabelText(QAccessibleInterface *iface) {
  for (const auto &[label, relation] : iface->relations(QAccessible::Label)) {
    const QString text = label->text(QAccessible::Name);
    if (!text.isEmpty()) return text;
  }
  return {};
}

// What a screen reader calls the control. A closed drop-down list is read by its value, so its name
// is its label; any other control without a name of its own is named by its label.
QString SpokenName(QWidget *widget) {
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
  if (!iface) return {};
  const auto *combo = qobject_cast<QComboBox *>(widget);
  if (combo && !combo->isEditable()) return LabelText(iface);
  if (const auto *tabs = qobject_cast<QTabBar *>(widget); tabs && tabs->accessibleName().isEmpty()) {
    // A row of tabs is read as its selected tab, tab by tab: each tab needs its text.
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
      if (!tabs->tabText(i).isEmpty()) texts << tabs->tabText(i);
    return texts.size() == tabs->count() ? QStringLiteral("tabs ") + texts.join(QLatin1Char('|')) : QString();
  }
  const QString name = iface->text(QAccessible::Name).trimmed();
  if (!name.isEmpty()) return name;
  return LabelText(iface);
}

// Inner parts of composite controls (the edit of a spin box, the view of a drop-down list, the
// page of a browser view) speak through their owner.
bool IsInnerPart(const QWidget *widget, const QWidget *window) {
  // A tab widget is a frame; its row of tabs is the control.
  if (qobject_cast<const QTabWidget *>(widget)) return true;
  if (qobject_cast<const QHeaderView *>(widget) &&
      qobject_cast<const QAbstractItemView *>(widget->parentWidget()))
    return true;
  for (const QWidget *up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
    if (up->focusProxy() == widget && !qobject_cast<const QTabWidget *>(up)) return true;
    if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractSpinBox *>(up)) return true;
  }
  return false;
}

bool TakesInput(const QWidget *widget) {
  // Text, even selectable text, is read, not operated; a scroll bar belongs to its view.
  if (qobject_cast<const QScrollBar *>(widget) || qobject_cast<const QLabel *>(widget)) return false;
  return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton *>(widget) ||
         qobject_cast<const QComboBox *>(widget) || qobject_cast<const QLineEdit *>(widget) ||
         qobject_cast<const QAbstractItemView *>(widget);
}

// Problems of one window, one line each.
QStringList CheckWindow(QWidget *window) {
  QStringList problems;
  QMap<QString, QString> names; // name -> objectName of its control
  int controls = 0;
  for (QWidget *widget : window->findChildren<QWidget *>()) {
    if (widget->window() != window || !widget->isVisible() || !TakesInput(widget) ||
        IsInnerPart(widget, window))
      continue;
    ++controls;
    const QString id =
        QStringLiteral("%1 (%2)").arg(widget->objectName(), QLatin1String(widget->metaObject()->className()));
    const QString name = SpokenName(widget);
    if (name.isEmpty())
      problems << QStringLiteral("no name: ") + id;
    else if (names.contains(name))
      problems << QStringLiteral("\"%1\" names both %2 and %3").arg(name, names.value(name), id);
    else
      names.insert(name, id);
    if (widget->isEnabled() && !(widget->focusPolicy() & Qt::TabFocus))
      problems << QStringLiteral("not reached by Tab: ") + id;
  }
  if (controls == 0) problems << QStringLiteral("no controls found");
  return problems;
}

struct TWindowCase {
  const char *What;
  std::function<QWidget *()> Make; // the window, set up the way a user sees it at its fullest
};

class WindowNamesTest : public WindowTest {
protected:
  // The main window with everything it can show: a project, an entry, the text filter and its
  // method box, the same-source band and the administrator's controls.
  QWidget *FullMainWindow() {
    OpenThroughMenu();
    ClickSection(QStringLiteral("TID_Form1"));
    ClickRow(Child<TVirtualTree>(*W, "vt1"), 0);
    W->ShowAdvancedTools(true);
    QTest::mouseClick(Child<QCheckBox>(*W, "cTextfilt"), Qt::LeftButton);
    Asker->Inputs = {QString::fromLatin1(TTransClientFrm3::kAdminPassword)};
    Child<QAction>(*W, "AdminLogon1")->trigger();
    return W.get();
  }

  void Check(const std::vector<TWindowCase> &cases) {
    QMap<QString, QString> titles;
    for (const TWindowCase &c : cases) {
      SCOPED_TRACE(c.What);
      QWidget *window = c.Make();
      ASSERT_NE(window, nullptr);
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
      QApplication::processEvents();
      QStringList problems = CheckWindow(window);
      // Each page of a tabbed window shows controls of its own.
      for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        if (!tabs->isVisible()) continue;
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
          tabs->setCurrentIndex(page);
          QApplication::processEvents();
          for (const QString &problem : CheckWindow(window))
            if (!problems.contains(problem))
              problems << QStringLiteral("page \"%1\": %2").arg(tabs->tabText(page), problem);
        }
        tabs->setCurrentIndex(shown);
      }
      EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
      const QString title = window->windowTitle();
      EXPECT_FALSE(title.isEmpty());
      EXPECT_FALSE(titles.contains(title)) << "two windows titled " << title.toStdString();
      titles.insert(title, QLatin1String(c.What));
      if (window != W.get()) window->hide();
    }
  }
};

TEST_F(WindowNamesTest, EveryWindowNamesEachControlOnce) {
  std::vector<TWindowCase> cases;
  cases.push_back({"main window", [this] { return FullMainWindow(); }});
#ifdef VT_TEST_BROWSER_DIALOG
  std::unique_ptr<TGTransFrm> browser;
  cases.push_back({"browser translation dialog", [&] {
                     browser = std::make_unique<TGTransFrm>(nullptr, "about:blank");
                     return browser.get();
                   }});
#endif
  std::unique_ptr<TCrashReportFrm> crash;
  cases.push_back({"crash report dialog", [&] {
                     // With an upload address, so that every button shows.
                     crash = std::make_unique<TCrashReportFrm>(
                         Dir.path() + QStringLiteral("/crash.txt"), QStringLiteral("Signal 11\n#0 main"),
                         QStringLiteral("http://127.0.0.1:9/upload"), QString());
                     return crash.get();
                   }});
  cases.push_back(
      {"form preview", [this]() -> QWidget * {
         // A form of the controls people type into, pick from and press.
         QDir(Dir.path()).mkdir(QStringLiteral("DfmData"));
         WriteTestFile(
             Dir.path() + QStringLiteral("/DfmData/TTID_Form1.dfmp"),
             "object TID_Form1: TTntForm\n  Width = 300\n  Height = 260\n"
             "  object btnOk: TTntButton\n    Left = 8\n    Top = 8\n    Caption = 'OK'\n  end\n"
             "  object lblName: TTntLabel\n    Left = 8\n    Top = 40\n    Caption = '&Name'\n"
             "    FocusControl = edName\n  end\n"
             "  object edName: TTntEdit\n    Left = 60\n    Top = 40\n  end\n"
             "  object lblMode: TTntLabel\n    Left = 8\n    Top = 70\n    Caption = 'Mode'\n"
             "    FocusControl = cbMode\n  end\n"
             "  object cbMode: TTntComboBox\n    Left = 60\n    Top = 70\n"
             "    Style = csDropDownList\n    Items.Strings = (\n      'Fast'\n      'Slow')\n  end\n"
             "  object chkAll: TTntCheckBox\n    Left = 8\n    Top = 100\n    Caption = 'All'\n  end\n"
             "  object hbTool: TStaticHotBtn\n    Left = 8\n    Top = 130\n"
             "    TextData.Caption = 'Tool'\n  end\n"
             "  object seCount: TSpinEdit\n    Left = 100\n    Top = 130\n  end\n"
             "  object pcPages: TTntPageControl\n    Left = 8\n    Top = 170\n    Width = 280\n"
             "    Height = 80\n    object tsOne: TTntTabSheet\n      Caption = 'One'\n"
             "      object btnFirst: TTntButton\n        Caption = 'First'\n      end\n    end\n"
             "    object tsTwo: TTntTabSheet\n      Caption = 'Two'\n"
             "      object btnSecond: TTntButton\n        Caption = 'Second'\n      end\n    end\n"
             "  end\nend\n");
         FullMainWindow();
         ClickSection(QStringLiteral("TID_Form1"));
         Child<QAction>(*W, "PreviewScreenOnOff1")->trigger();
         return W->PreviewWindow();
       }});
#ifdef VT_TEST_ADMIN_WINDOW
  std::unique_ptr<TTransGrabFrm> admin;
  cases.push_back({"administrator window", [&] {
                     admin = std::make_unique<TTransGrabFrm>();
                     return admin.get();
                   }});
#endif
  Check(cases);
}

// The check itself finds what it is meant to find.
TEST(WindowNamesCheck, FindsMissingAndSharedNamesAndControlsTabSkips) {
  QWidget window;
  window.setWindowTitle(QStringLiteral("Check"));
  auto *unnamed = new QLineEdit(&window);
  unnamed->setObjectName(QStringLiteral("unnamed"));
  auto *first = new QCheckBox(QStringLiteral("Same"), &window);
  auto *second = new QCheckBox(QStringLiteral("Same"), &window);
  second->setObjectName(QStringLiteral("second"));
  auto *box = new QComboBox(&window);
  box->addItem(QStringLiteral("a value is no name"));
  box->setObjectName(QStringLiteral("box"));
  first->move(0, 30);
  second->move(0, 60);
  box->move(0, 90);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QStringList problems = CheckWindow(&window);
  EXPECT_EQ(problems.size(), 3) << problems.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(problems.filter(QStringLiteral("no name: unnamed")).size() == 1);
  EXPECT_TRUE(problems.filter(QStringLiteral("no name: box")).size() == 1);
  EXPECT_TRUE(problems.filter(QStringLiteral("\"Same\" names both")).size() == 1);

  unnamed->setAccessibleName(QStringLiteral("Field"));
  second->setText(QStringLiteral("Other"));
  auto *label = new QLabel(QStringLiteral("Choice"), &window);
  label->setBuddy(box);
  label->show();
  second->setFocusPolicy(Qt::ClickFocus);
  problems = CheckWindow(&window);
  EXPECT_EQ(problems, QStringList{QStringLiteral("not reached by Tab: second (QCheckBox)")});
}

} // namespace
} // namespace vt::test

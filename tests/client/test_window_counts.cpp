// The section list shows full counts for sections and "[ALL]" beyond 65535 entries, and its Status
// column is wide enough for them.
#include "window_fixture.h"

#include <QFontMetrics>
#include <QHeaderView>

namespace vt::test {

TEST_F(WindowTest, SectionListShowsFullCountsOfLargeSections) {
  // One section of 70,000 visible entries, every second one translated, beside a small one.
  QByteArray src = "[TID_Big]\r\n", trans = "[_info]\r\nDestLng=es\r\n[TID_Big]\r\n";
  for (int i = 0; i < 70000; ++i) {
    const QByteArray key = "k" + QByteArray::number(i) + ".TC";
    src += key + "=Text " + QByteArray::number(i) + "\r\n";
    if (i % 2 == 0) trans += key + "=Texto " + QByteArray::number(i) + "\r\n";
  }
  src += "[TID_Small]\r\nb.TC=Small\r\n";
  WriteTestFile(PathOf(QStringLiteral("SrcLng")), src);
  WriteTestFile(PathOf(QStringLiteral("kxLng")), trans);
  QFile::remove(PathOf(QStringLiteral("AutoLng")));
  OpenThroughMenu();
  ASSERT_TRUE(Asker->Errors.isEmpty());

  auto *sections = Child<TVirtualTree>(*W, "vtList");
  ASSERT_EQ(sections->model()->rowCount(), 3);
  EXPECT_EQ(CellText(sections, 0, 1), QStringLiteral("35000 / 70001"));
  EXPECT_EQ(CellText(sections, 1, 1), QStringLiteral("35000 / 70000"));
  EXPECT_EQ(CellText(sections, 2, 1), QStringLiteral("0 / 1"));
  // The column fits the widest count (drawn bold when its row is focused).
  QFont bold = sections->model()->index(0, 1).data(Qt::FontRole).value<QFont>();
  bold.setBold(true);
  EXPECT_GE(sections->header()->sectionSize(1),
            QFontMetrics(bold).horizontalAdvance(CellText(sections, 0, 1)));
}

} // namespace vt::test

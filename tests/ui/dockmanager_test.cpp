#include "host/ui/dockmanager.h"

#include "host/ui/dockwidget.h"
#include "host/ui/eventids.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/tradedockablewidget.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <boost/bind/bind.hpp>

namespace {

using LW::CDockManager;
using LW::ITradeDockableWidget;

// A panel like the library's: it announces its title with event 146 while
// it is being built, and keeps a settings text of its own.
class TestPanel : public ITradeDockableWidget {
public:
  TestPanel(const QString& key, int id, mxservice::ENqTraderType type, QWidget* parent)
      : ITradeDockableWidget(key, id, getDockWidgetInfo(key), parent) {
    setTradeType(type);
    const QString title = QStringLiteral("%1 %2").arg(key).arg(static_cast<int>(type));
    setWindowTitle(title);
    deliverEvent(GU::EVENT_DOCK_TITLE_CHANGED, 0, 0, title, nullptr);
  }
  void setParam(const QString& param) override { layoutText = param; }
  QString param() const override { return layoutText; }
  bool canClose() const override { return closable; }

  QString layoutText;
  bool closable = true;
};

ITradeDockableWidget* makePanel(const QString& key, int id, mxservice::ENqTraderType type,
                                QWidget* parent) {
  return new TestPanel(key, id, type, parent);
}

struct Fixture {
  explicit Fixture(const QString& file) : manager(new CDockManager(&window, file)) {
    using namespace boost::placeholders;
    manager->registerFactory("itm", boost::bind(&makePanel, QString("itm"), _1, _2, _3));
    manager->registerFactory("bif", boost::bind(&makePanel, QString("bif"), _1, _2, _3));
    manager->setDefaultLayout(
        [](CDockManager* m) { m->createDock("itm", mxservice::NQ_TRADER_STOCK); });
    window.resize(800, 600);
  }
  struct Seen {
    QString key;
    int id;
    int type;
    QString param;
    QString title;
  };
  std::vector<Seen> seen() const {
    std::vector<Seen> all;
    for (ITradeDockableWidget* panel : manager->dockables())
      all.push_back({panel->key(), panel->id(), static_cast<int>(panel->tradeType()),
                     panel->param(), manager->dockOf(panel)->windowTitle()});
    return all;
  }
  QMainWindow window;
  CDockManager* manager;  // owned by window
};

class DockManagerTest : public ::testing::Test {
protected:
  QString file() const { return dir.filePath("layout.json"); }
  void writeFile(const QByteArray& bytes) {
    QFile out(file());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
  }
  QByteArray readFile() {
    QFile in(file());
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

TEST_F(DockManagerTest, layoutRoundTripRestoresEveryPanelAndItsParam) {
  const QString chinese = QString::fromUtf8("列宽=80;代码|名称\n\"quoted\"");
  {
    Fixture first(file());
    first.manager->createDock("itm", mxservice::NQ_TRADER_STOCK)->setParam("columns=A,B");
    first.manager->createDock("itm", mxservice::NQ_TRADER_STOCK_OPTION)->setParam(chinese);
    first.manager->createDock("bif")->setParam("");
    first.window.show();
    // A panel that renames itself renames its dock.
    ITradeDockableWidget* renamed = first.manager->dockables().at(1);
    renamed->setWindowTitle("renamed");
    EXPECT_EQ(first.manager->dockOf(renamed)->windowTitle(), "renamed");
    first.window.close();  // saves
  }
  Fixture second(file());
  EXPECT_TRUE(second.manager->restoreLayout());
  const auto seen = second.seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].key, "itm");
  EXPECT_EQ(seen[0].id, 1);
  EXPECT_EQ(seen[0].type, 1);
  EXPECT_EQ(seen[0].param, "columns=A,B");
  EXPECT_EQ(seen[0].title, "itm 1");  // from event 146 at construction
  EXPECT_EQ(seen[1].id, 2);
  EXPECT_EQ(seen[1].type, 32);
  EXPECT_EQ(seen[1].param, chinese);
  EXPECT_EQ(seen[2].key, "bif");
  EXPECT_EQ(seen[2].param, "");
  EXPECT_EQ(second.window.dockWidgetArea(second.manager->dockOf(second.manager->dockables()[2])),
            Qt::BottomDockWidgetArea);
}

TEST_F(DockManagerTest, unusableSettingsGiveTheDefaultLayout) {
  QByteArray valid;
  {
    Fixture f(file());
    f.manager->createDock("itm", mxservice::NQ_TRADER_FUTURE)->setParam("p");
    ASSERT_TRUE(f.manager->saveLayout());
    valid = readFile();
  }
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"garbage", QByteArray::fromHex("00fffe20676172626167657b7b7b")},
      {"truncated", valid.left(valid.size() / 2)},
      {"not an object", "[1,2,3]"},
      {"other version", QByteArray(valid).replace("\"version\": 1", "\"version\": 7")},
      {"docks not a list", R"({"version":1,"docks":{"key":"itm"}})"},
      {"no usable dock",
       R"({"version":1,"docks":[{"key":"xyz","id":1,"tradeType":1},{"key":"itm","id":"1","tradeType":1},
           {"key":"itm","id":1.5,"tradeType":1},{"key":"itm","id":1e300,"tradeType":1},
           {"key":"itm","id":-3,"tradeType":1},{"key":"itm","id":2,"tradeType":1,"param":7},5]})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(c.bytes);
    Fixture f(file());
    EXPECT_FALSE(f.manager->restoreLayout());
    const auto seen = f.seen();
    ASSERT_EQ(seen.size(), 1u);  // the default layout: one stock list
    EXPECT_EQ(seen[0].type, 1);
    EXPECT_EQ(seen[0].param, "");
  }
  // A missing file is a first start: default layout, nothing logged.
  QFile::remove(file());
  uitest::LogCapture log;
  Fixture f(file());
  EXPECT_FALSE(f.manager->restoreLayout());
  EXPECT_EQ(f.seen().size(), 1u);
  EXPECT_EQ(log.lines().size(), 0u);
}

TEST_F(DockManagerTest, badEntriesAreSkippedAndGoodOnesKept) {
  writeFile(R"({"version":1,"state":"!!notbase64!!","docks":[
      {"key":"itm","id":3,"tradeType":64,"param":"keep me","area":2},
      {"key":"itm","id":3,"tradeType":1,"param":"duplicate id"},
      {"key":"gone","id":4,"tradeType":1},
      {"key":"bif","id":5,"tradeType":0,"param":"first bif","area":99},
      {"key":"bif","id":6,"tradeType":0,"param":"second bif"},
      {"key":"itm","id":7,"tradeType":2}]})");
  Fixture f(file());
  EXPECT_TRUE(f.manager->restoreLayout());
  const auto seen = f.seen();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].param, "keep me");
  EXPECT_EQ(seen[0].type, 64);
  EXPECT_EQ(seen[1].param, "first bif");
  EXPECT_EQ(seen[2].id, 7);
  EXPECT_EQ(seen[2].param, "");  // no param saved: empty, not the previous one
  // The window state was refused: docks sit at their saved or default areas.
  EXPECT_EQ(f.window.dockWidgetArea(f.manager->dockOf(f.manager->dockables()[0])),
            Qt::RightDockWidgetArea);
  EXPECT_EQ(f.window.dockWidgetArea(f.manager->dockOf(f.manager->dockables()[1])),
            Qt::BottomDockWidgetArea);
  // New docks never reuse a restored id.
  EXPECT_EQ(f.manager->createDock("itm", mxservice::NQ_TRADER_GOLD)->id(), 8);
}

TEST_F(DockManagerTest, closedDocksAreNotSavedAndCanCloseIsAsked) {
  Fixture f(file());
  auto* kept = static_cast<TestPanel*>(f.manager->createDock("itm", mxservice::NQ_TRADER_STOCK));
  QPointer<ITradeDockableWidget> closed = f.manager->createDock("itm", mxservice::NQ_TRADER_FUTURE);
  f.window.show();
  kept->closable = false;
  f.manager->dockOf(kept)->close();
  f.manager->dockOf(closed)->close();
  uitest::flushDeferredDeletes();
  EXPECT_TRUE(closed.isNull());
  ASSERT_EQ(f.manager->dockables().size(), 1);
  EXPECT_EQ(f.manager->dockables()[0], kept);
  ASSERT_TRUE(f.manager->saveLayout());
  EXPECT_EQ(readFile().count("\"key\""), 1);
}

TEST_F(DockManagerTest, singleDockKeyIsRaisedNotDuplicated) {
  Fixture f(file());
  ITradeDockableWidget* first = f.manager->createDock("bif");
  EXPECT_EQ(f.manager->createDock("bif"), first);
  EXPECT_EQ(f.manager->dockables().size(), 1);
  EXPECT_EQ(f.manager->createDock("nokey"), nullptr);
  f.manager->registerFactory("null", [](int, mxservice::ENqTraderType, QWidget*) {
    return static_cast<ITradeDockableWidget*>(nullptr);
  });
  EXPECT_EQ(f.manager->createDock("null"), nullptr);
  EXPECT_EQ(f.window.findChildren<QDockWidget*>().size(), 1);
}

TEST(TradeDockableWidget, titleEventFromAChildReachesPanelAndDock) {
  LW::CDockWidget dock;
  auto* panel =
      new ITradeDockableWidget("itm", 1, ITradeDockableWidget::getDockWidgetInfo("itm"), &dock);
  dock.setWidget(panel);
  EXPECT_EQ(panel->dock(), &dock);
  EXPECT_EQ(panel->windowTitle(), QString::fromUtf8("代码列表"));
  auto* child = new GU::CSimpleTextWidget("x", panel);
  EXPECT_TRUE(child->deliverEvent(GU::EVENT_DOCK_TITLE_CHANGED, 0, 0, QString::fromUtf8("合约列表"),
                                  nullptr));
  EXPECT_EQ(panel->windowTitle(), QString::fromUtf8("合约列表"));
  EXPECT_EQ(dock.windowTitle(), QString::fromUtf8("合约列表"));
}

TEST(TradeDockableWidget, defaultsKeyInfoAndInnerWidget) {
  EXPECT_EQ(ITradeDockableWidget::getDockWidgetInfo("bif").defaultArea(), Qt::BottomDockWidgetArea);
  EXPECT_FALSE(ITradeDockableWidget::getDockWidgetInfo("bif").allowsMultiple());
  EXPECT_EQ(ITradeDockableWidget::getDockWidgetInfo("other").title(), "other");

  ITradeDockableWidget panel("bif", 9, ITradeDockableWidget::getDockWidgetInfo("bif"));
  EXPECT_EQ(panel.key(), "bif");
  EXPECT_EQ(panel.id(), 9);
  EXPECT_EQ(panel.tradeType(), mxservice::NQ_TRADER_NONE);
  panel.setParam("kept as is");
  EXPECT_EQ(panel.param(), "kept as is");

  QPointer<QWidget> first = new QWidget;
  panel.setInnerStretchWidget(first, 0, 0, 0, 0);
  auto* second = new QWidget;
  panel.setInnerStretchWidget(second, 1, 2, 3, 4);
  panel.resize(100, 100);
  panel.show();
  uitest::flushDeferredDeletes();
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(panel.innerStretchWidget(), second);
  EXPECT_EQ(second->geometry(), QRect(1, 2, 100 - 1 - 3, 100 - 2 - 4));
}

}  // namespace

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "controls/status_bar.h"
#include "controls/tab_button.h"
#include "controls/tab_button2.h"
#include "controls/tab_button_menu.h"
#include "controls/tab_menu.h"
#include "controls/theme.h"
#include "controls/uc_firefox_wait.h"
#include "controls/xp_progress_bar.h"

namespace corvina::controls {
namespace {

TEST(TabMenuTest, NumbersMenuButtonsFromTwoAndSelectsTabsByNumber) {
  TabMenu menu;
  menu.AddButton(TabMenu::TabKind, "One");
  menu.AddButton(TabMenu::MenuKind);
  menu.AddButton(TabMenu::SeparatorKind);
  menu.AddButton(TabMenu::TabKind, "Two");
  menu.AddButton(TabMenu::MenuKind);
  menu.AddButton(9, "ignored");
  EXPECT_EQ(menu.describe(), (QStringList{"One", "menu 2", "|", "Two", "menu 3"}));

  QStringList clicked;
  QList<int> menus;
  QObject::connect(&menu, &TabMenu::TabClick, [&](const QString& c) { clicked << c; });
  QObject::connect(&menu, &TabMenu::MenuClick, [&](int n) { menus << n; });
  menu.SetTabFocus(2);
  menu.SetTabFocus(7);  // no such tab
  EXPECT_EQ(clicked, QStringList{"Two"});
  EXPECT_EQ(menu.selectedCaption(), "Two");
  EXPECT_FALSE(menu.tab(1)->isSelected());
  emit menu.menuButton(3)->clicked(3);
  EXPECT_EQ(menus, QList<int>{3});
}

TEST(TabMenuTest, MoveMouseOffClearsEveryHover) {
  TabMenu menu;
  menu.AddButton(TabMenu::TabKind, "One");
  menu.AddButton(TabMenu::MenuKind);
  menu.tab(1)->setHovered(true);
  menu.menuButton(2)->setHovered(true);
  menu.MoveMouseOff();
  EXPECT_FALSE(menu.tab(1)->isHovered());
  EXPECT_FALSE(menu.menuButton(2)->isHovered());
}

TEST(TabButton2Test, EachTabRaisesItsOwnEvent) {
  TabButton2 tabs;
  int one = 0, two = 0;
  QObject::connect(&tabs, &TabButton2::TabClick1, [&] { ++one; });
  QObject::connect(&tabs, &TabButton2::TabClick2, [&] { ++two; });
  tabs.clickTab(2);
  tabs.clickTab(1);
  tabs.clickTab(3);
  EXPECT_EQ(one, 1);
  EXPECT_EQ(two, 1);
  EXPECT_EQ(tabs.selectedTab(), 1);
}

TEST(XpProgressBarTest, KeepsTheValueWithinItsRangeAndDrawsIt) {
  XP_ProgressBar bar;
  bar.resize(200, 20);
  bar.setMax(12);
  bar.setValue(13);
  EXPECT_EQ(bar.Value(), 12);
  bar.setValue(-1);
  EXPECT_EQ(bar.Value(), 0);
  bar.setMin(5);
  EXPECT_EQ(bar.Value(), 5);
  bar.setMax(2);  // a maximum below the minimum pulls the minimum along
  EXPECT_EQ(bar.Min(), 2);
  EXPECT_EQ(bar.Value(), 2);

  bar.setMin(0);
  bar.setMax(10);
  bar.setValue(5);
  QImage image = bar.grab().toImage();
  QColor filled = image.pixelColor(10, 10), empty = image.pixelColor(190, 10);
  EXPECT_GT(filled.green(), filled.red() + 60);  // green blocks on the left half
  EXPECT_GT(empty.red(), 200);                   // the light trough on the right
}

TEST(StatusBarTest, FirstPanelTakesTheRoomTheOthersLeave) {
  QWidget window;
  window.resize(600, 400);
  StatusBar bar({toTwips(100), toTwips(50)}, &window);
  bar.dockToBottom();
  EXPECT_EQ(bar.y() + bar.height(), 400);
  EXPECT_EQ(bar.width(), 600);
  EXPECT_EQ(bar.panelWidth(1), toTwips(450));
  EXPECT_EQ(bar.panelLeft(2), toTwips(450));
  EXPECT_EQ(bar.panelLeft(3), toTwips(550));
  EXPECT_EQ(bar.panelWidth(4), 0);
  bar.setPanelText(1, "Status: idle");
  bar.setPanelText(9, "ignored");
  EXPECT_EQ(bar.panelText(1), "Status: idle");
}

TEST(WaitAnimationTest, StartsAndStops) {
  ucFirefoxWait wait;
  wait.resize(32, 32);
  wait.start();
  EXPECT_TRUE(wait.isRunning());
  EXPECT_FALSE(wait.grab().isNull());
  wait.stop();
  EXPECT_FALSE(wait.isRunning());
}

}  // namespace
}  // namespace corvina::controls

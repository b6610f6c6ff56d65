#include "app/panel/panel-window.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/panel/headless-panel.h"
#include "panel-driver.h"

namespace {

// What the controls' callbacks saw: the id, and the live variables at the time of the call.
struct Call {
  int id;
  int flag;
  int choice;
};
std::vector<Call> calls;
int flag = 0;
int choice = 0;
float step = 0.1f;

void Record(int id) { calls.push_back({id, flag, choice}); }

class PanelTest : public ::testing::Test {
 protected:
  PanelTest() : panel_("GLUI") {
    calls.clear();
    flag = 0;
    choice = 0;
    step = 0.1f;
    panel_.AddCheckbox(nullptr, "Wireframe", &flag, 0, Record);
    Widget* simulation = panel_.AddPanel(nullptr, "Simulation");
    Widget* spinner = panel_.AddSpinner(simulation, "Step:", &step, -1, nullptr);
    spinner->SetFloatLimits(0.01f, 0.2f);
    spinner->SetStep(0.01f);
    Widget* method = panel_.AddPanel(simulation, "Sim Method");
    Widget* group = panel_.AddRadioGroup(method, &choice, 1, Record);
    panel_.AddRadioButton(group, "Euler");
    panel_.AddRadioButton(group, "RK4");
    panel_.AddButton(simulation, "Reset", 2, Record);
    panel_.AddButton(simulation, "Start", 3, Record);
  }

  PanelWindow panel_;
};

TEST(ClampToLimits, KeepsInsideAndSendsNotANumberToTheLowerLimit) {
  EXPECT_EQ(ClampToLimits(0.5f, 0.01f, 0.2f), 0.2f);
  EXPECT_EQ(ClampToLimits(0.0f, 0.01f, 0.2f), 0.01f);
  EXPECT_EQ(ClampToLimits(0.15f, 0.01f, 0.2f), 0.15f);
  EXPECT_EQ(ClampToLimits(0.01f, 0.01f, 0.2f), 0.01f);
  EXPECT_EQ(ClampToLimits(0.2f, 0.01f, 0.2f), 0.2f);
  EXPECT_EQ(ClampToLimits(std::numeric_limits<float>::infinity(), 0.01f, 0.2f), 0.2f);
  EXPECT_EQ(ClampToLimits(-std::numeric_limits<float>::infinity(), 0.01f, 0.2f), 0.01f);
  EXPECT_EQ(ClampToLimits(std::nanf(""), 0.01f, 0.2f), 0.01f);
}

TEST_F(PanelTest, TypedValuesEndInsideTheLimits) {
  struct Case {
    const char* typed;
    float expected;
  };
  const Case cases[] = {{"0.5", 0.2f},    {"0", 0.01f},     {"0.15", 0.15f},
                        {"1e99", 0.2f},   {"-1e99", 0.01f}, {"-0.05", 0.01f},
                        {"0.2", 0.2f},    {"0.01", 0.01f}};
  PanelDriver driver(panel_);
  for (const Case& c : cases) {
    step = 0.1f;
    driver.Type("Step:", c.typed);
    EXPECT_FLOAT_EQ(step, c.expected) << "typed " << c.typed;
  }

  // Letters other than an exponent are refused as they are typed, so "nan" leaves the field
  // empty; whatever it leaves, the value is a number inside the limits.
  for (const char* typed : {"nan", "NaN", "inf", "-inf", "abc"}) {
    step = 0.1f;
    driver.Type("Step:", typed);
    EXPECT_FALSE(std::isnan(step)) << typed;
    EXPECT_GE(step, 0.01f) << typed;
    EXPECT_LE(step, 0.2f) << typed;
  }
  EXPECT_TRUE(calls.empty()) << "the spinner has no callback";
}

// The live variable changes once, when the user is done typing: Enter or leaving the field
// commits, Escape drops the edit. Typing "0.15" must not run frames at 0.01 and 0.1 on the way.
TEST_F(PanelTest, TypedValueIsCommittedOnlyWhenTypingEnds) {
  PanelDriver driver(panel_);
  driver.Click("Step:");
  for (char c : std::string("0.15")) {
    driver.Key(c);
    ASSERT_TRUE(driver.Headless().RunUntilIdle());
    EXPECT_EQ(step, 0.1f) << "after typing '" << c << "'";
  }
  driver.Key(13);
  ASSERT_TRUE(driver.Headless().RunUntilIdle());
  EXPECT_EQ(step, 0.15f) << "Enter commits";

  // Leaving the field by clicking beside every control commits too, clamped to the limits.
  driver.Click("Step:");
  for (char c : std::string("0.5")) driver.Key(c);
  ASSERT_TRUE(driver.Headless().RunUntilIdle());
  EXPECT_EQ(step, 0.15f);
  driver.Click("Sim Method");
  EXPECT_EQ(step, 0.2f) << "leaving the field commits";

  driver.Click("Step:");
  for (char c : std::string("0.07")) driver.Key(c);
  driver.Key(27);
  ASSERT_TRUE(driver.Headless().RunUntilIdle());
  EXPECT_EQ(step, 0.2f) << "Escape drops the edit";

  // A value the program writes while nobody types shows in the field and is what the arrows
  // step from.
  step = 0.05f;
  driver.Headless().RunFrame();
  driver.Click("Step: up");
  EXPECT_FLOAT_EQ(step, 0.06f);
  EXPECT_TRUE(calls.empty());
}

TEST_F(PanelTest, ArrowsStepAndStopAtTheLimits) {
  PanelDriver driver(panel_);
  driver.Click("Step: up");
  EXPECT_FLOAT_EQ(step, 0.11f);
  driver.Click("Step: down");
  driver.Click("Step: down");
  EXPECT_FLOAT_EQ(step, 0.09f);

  step = 0.195f;
  driver.Click("Step: up");
  EXPECT_EQ(step, 0.2f);
  driver.Click("Step: up");
  EXPECT_EQ(step, 0.2f);
  step = 0.015f;
  driver.Click("Step: down");
  EXPECT_EQ(step, 0.01f);
  driver.Click("Step: down");
  EXPECT_EQ(step, 0.01f);
}

TEST_F(PanelTest, CheckboxWritesItsIntAndReadsItBackEveryFrame) {
  PanelDriver driver(panel_);
  driver.Click("Wireframe");
  EXPECT_EQ(flag, 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].id, 0);
  EXPECT_EQ(calls[0].flag, 1) << "the live variable is written before the callback runs";

  // The program clears the variable behind the panel's back (the "w" key does so); the next
  // click must tick the box again, not untick a stale copy.
  flag = 0;
  driver.Headless().RunFrame();
  driver.Click("Wireframe");
  EXPECT_EQ(flag, 1);
  driver.Click("Wireframe");
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(PanelTest, RadioGroupSelectsByPositionAndCallsBack) {
  PanelDriver driver(panel_);
  driver.Click("RK4");
  EXPECT_EQ(choice, 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].id, 1);
  EXPECT_EQ(calls[0].choice, 1);
  driver.Click("Euler");
  EXPECT_EQ(choice, 0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].choice, 0);
}

TEST_F(PanelTest, ButtonsCallBackWithTheirIdsOncePerClickInOrder) {
  PanelDriver driver(panel_);
  driver.Click("Start");
  driver.Click("Reset");
  driver.Click("Start");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].id, 3);
  EXPECT_EQ(calls[1].id, 2);
  EXPECT_EQ(calls[2].id, 3);

  // Clicking beside every control (the caption of a frame) does nothing.
  driver.Click("Sim Method");
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(PanelTest, ClickFedInOneFrameIsLostWhichIsWhyTheQueueExists) {
  PanelDriver driver(panel_);
  const WidgetRect* start = panel_.FindRectangle("Start");
  ASSERT_NE(start, nullptr);
  ImGuiIO& io = ImGui::GetIO();
  // Press and release applied together, as the window system may deliver them.
  io.MousePos = ImVec2(start->left + 5, start->top + 5);
  io.MouseDown[0] = true;
  io.MouseDown[0] = false;
  driver.Headless().RunFrame();
  driver.Headless().RunFrame();
  EXPECT_TRUE(calls.empty());

  driver.Click("Start");
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(PanelTest, ControlsAreLaidOutTopToBottomInsideTheirFrames) {
  PanelDriver driver(panel_);
  const std::vector<std::string> order = {"Wireframe", "Step:", "Euler", "RK4", "Reset", "Start"};
  float previous_bottom = 0.0f;
  for (const std::string& name : order) {
    const WidgetRect* rect = panel_.FindRectangle(name);
    ASSERT_NE(rect, nullptr) << name;
    EXPECT_GE(rect->top, previous_bottom) << name;
    EXPECT_LT(rect->left, rect->right) << name;
    previous_bottom = rect->bottom;
  }
  const WidgetRect* simulation = panel_.FindRectangle("Simulation");
  const WidgetRect* method = panel_.FindRectangle("Sim Method");
  for (const char* inner : {"Step:", "Step: up", "Step: down", "Sim Method", "Reset", "Start"}) {
    const WidgetRect* rect = panel_.FindRectangle(inner);
    EXPECT_GT(rect->left, simulation->left) << inner;
    EXPECT_LT(rect->right, simulation->right) << inner;
    EXPECT_GT(rect->top, simulation->top) << inner;
    EXPECT_LT(rect->bottom, simulation->bottom) << inner;
  }
  EXPECT_GT(panel_.FindRectangle("RK4")->left, method->left);
  EXPECT_LT(panel_.FindRectangle("RK4")->bottom, method->bottom);

  const PanelSize size = panel_.FittedSize();
  for (const WidgetRect& rect : panel_.Rectangles()) {
    EXPECT_LE(rect.right, size.width) << rect.name;
    EXPECT_LE(rect.bottom, size.height) << rect.name;
  }
}

}  // namespace

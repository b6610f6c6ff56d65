#include "app/panel/panel-input-queue.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <cfloat>

namespace {

class InputQueueTest : public ::testing::Test {
 protected:
  InputQueueTest() : context_(ImGui::CreateContext()) {}
  ~InputQueueTest() override { ImGui::DestroyContext(context_); }

  static PanelInput Input(PanelInputKind kind, int x, int y, int code = 0, bool down = false) {
    PanelInput input;
    input.kind = kind;
    input.x = x;
    input.y = y;
    input.code = code;
    input.down = down;
    return input;
  }

  ImGuiContext* context_;
  PanelInputQueue queue_;
};

TEST_F(InputQueueTest, EachFrameTakesTheMovesBeforeAndOneButtonChange) {
  ImGuiIO& io = ImGui::GetIO();
  queue_.Push(Input(PanelInputKind::Move, 1, 1));
  queue_.Push(Input(PanelInputKind::Move, 5, 6));
  queue_.Push(Input(PanelInputKind::Button, 7, 8, 0, true));
  queue_.Push(Input(PanelInputKind::Button, 7, 8, 0, false));
  queue_.Push(Input(PanelInputKind::Move, 9, 9));

  EXPECT_TRUE(queue_.FeedOneFrame(io));
  EXPECT_TRUE(io.MouseDown[0]);
  EXPECT_EQ(io.MousePos.x, 7.0f) << "the press carries its own position";
  EXPECT_TRUE(queue_.FeedOneFrame(io));
  EXPECT_FALSE(io.MouseDown[0]);
  EXPECT_FALSE(queue_.Empty());
  EXPECT_TRUE(queue_.FeedOneFrame(io));
  EXPECT_EQ(io.MousePos.x, 9.0f);
  EXPECT_TRUE(queue_.Empty());
  EXPECT_FALSE(queue_.FeedOneFrame(io));
}

TEST_F(InputQueueTest, KeysTypeCharactersAndMarkBothCasesOfALetter) {
  ImGuiIO& io = ImGui::GetIO();
  queue_.Push(Input(PanelInputKind::Key, 0, 0, 'a', true));
  queue_.Push(Input(PanelInputKind::Key, 0, 0, 'a', false));
  queue_.Push(Input(PanelInputKind::Key, 0, 0, 13, true));
  queue_.Push(Input(PanelInputKind::SpecialKey, 0, 0, 100, true));

  queue_.FeedOneFrame(io);
  EXPECT_TRUE(io.KeysDown['a']);
  EXPECT_TRUE(io.KeysDown['A']);
  ASSERT_EQ(io.InputQueueCharacters.Size, 1);
  EXPECT_EQ(io.InputQueueCharacters[0], 'a');
  queue_.FeedOneFrame(io);
  EXPECT_FALSE(io.KeysDown['a']);
  EXPECT_EQ(io.InputQueueCharacters.Size, 1) << "a release types nothing";
  queue_.FeedOneFrame(io);
  EXPECT_TRUE(io.KeysDown[13]);
  EXPECT_EQ(io.InputQueueCharacters.Size, 1) << "Enter is a key, not a character";
  queue_.FeedOneFrame(io);
  EXPECT_TRUE(io.KeysDown[kSpecialKeyOffset + 100]);
}

TEST_F(InputQueueTest, LeavingTheWindowForgetsThePointer) {
  ImGuiIO& io = ImGui::GetIO();
  queue_.Push(Input(PanelInputKind::Move, 40, 50));
  queue_.Push(Input(PanelInputKind::Leave, 0, 0));
  queue_.FeedOneFrame(io);
  EXPECT_EQ(io.MousePos.x, -FLT_MAX);
  EXPECT_EQ(io.MousePos.y, -FLT_MAX);
}

}  // namespace

// Tests for the help topics: their headings and form, and which Help command shows which.
#include "dialogs/help_topics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Topic(int number) {
  const char* text = HelpTopicText(number);
  return text != nullptr ? text : "<none>";
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

TEST(HelpTopics, OverviewTopicsHaveTheirHeadingsInOrder) {
  const char* const headings[kOverviewTopicCount] = {
      "Varnel Overview",
      "[Edit], [Rename Buttons]",
      "[Edit], [Edit Text Field]",
      "[Edit], [Find]",
      "[X]Minimize On Each Copy",
      "[X]Varnel TopMost",
      "[Open Project]",
      "[File], [New Project]",
      "[Open Project]",
      "[File], [Save Project]",
      "[File], [SaveAs Project]",
      "[File], [Exit]",
      "[Configure], [Reposition Buttons and Text Fields]",
      "[Configure], [Consolidate Projects]",
      "[Options], [Use Tray instead of Taskbar]",
      "[Options], [Hide in Tray at Startup if Use Tray is Checked]",
      "[Options], [Auto Paste into Application]",
  };
  for (int number = 1; number <= kOverviewTopicCount; ++number) {
    SCOPED_TRACE(number);
    const std::string text = Topic(number);
    EXPECT_EQ(FirstLine(text), headings[number - 1]);
    EXPECT_EQ(text.compare(FirstLine(text).size(), 4, "\r\n\r\n"), 0) << "an empty line after the heading";
  }
  EXPECT_NE(Topic(7), Topic(9));
}

TEST(HelpTopics, EveryTopicEndsWithThreeLineBreaksAndHasNoBareOnes) {
  for (int number = 1; number <= kHelpTopicCount; ++number) {
    SCOPED_TRACE(number);
    const std::string text = Topic(number);
    ASSERT_GT(text.size(), 6u);
    EXPECT_EQ(text.substr(text.size() - 6), "\r\n\r\n\r\n");
    EXPECT_NE(text.substr(text.size() - 8, 2), "\r\n") << "more than three";
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') EXPECT_EQ(text[i + 1], '\n') << "at " << i;
      if (text[i] == '\n') EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "at " << i;
    }
  }
}

TEST(HelpTopics, OverviewStaysWithinTheEndOfTextPosition) {
  // The window appends each topic at position 65535, which is the end only below that length.
  size_t length = 0;
  for (int number = 1; number <= kOverviewTopicCount; ++number) length += Topic(number).size();
  EXPECT_LT(length, 65535u);
}

TEST(HelpTopicForCommand, ShowsTheTopicThatBeginsAsTheCommandTableSays) {
  struct Row {
    int command;
    const char* beginning;
  };
  const Row rows[] = {
      {32792, "[X]Minimize On Each Copy"},
      {32793, "[X]Varnel TopMost"},
      {32794, "[Open Project]\r\n\r\nRather than selecting"},
      {32795, "To rename just one button"},
      {32796, "[File], [New Project]"},
      {32797, "[Open Project]\r\n\r\nOpen a Varnel project"},
      {32798, "[File], [Save Project]"},
      {32799, "[File], [SaveAs Project]"},
      {32800, "[File], [Exit]"},
      {32801, "[Edit], [Rename Buttons]"},
      {32802, "[Edit], [Edit Text Field]"},
      {32803, "[Edit], [Find]"},
      {32804, "[Configure], [Reposition Buttons and Text Fields]"},
      {32805, "[Configure], [Consolidate Projects]"},
      {32806, "[Options], [Use Tray instead of Taskbar]"},
      {32807, "[Options], [Hide in Tray at Startup if Use Tray is Checked]"},
      {32808, "[Options], [Auto Paste into Application]"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    EXPECT_EQ(Topic(HelpTopicForCommand(row.command)).rfind(row.beginning, 0), 0u);
  }
  EXPECT_EQ(HelpTopicForCommand(32791), 0) << "the Overview";
  EXPECT_EQ(HelpTopicForCommand(32809), -1);
}

}  // namespace

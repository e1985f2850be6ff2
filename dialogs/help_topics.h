// The texts of the built-in help and which Help menu command shows which of them. Plain C++, so
// that the texts and the command table are checked natively.
#ifndef VARNEL_DIALOGS_HELP_TOPICS_H
#define VARNEL_DIALOGS_HELP_TOPICS_H

constexpr int kHelpTopicCount = 18;
// Topics 1 to this one, in order, make the Overview; the last topic is shown only on its own.
constexpr int kOverviewTopicCount = 17;

// Topics that other windows open directly, not through the board's Help menu.
constexpr int kRenameButtonsTopic = 2;
constexpr int kRepositionTopic = 13;
constexpr int kConsolidateTopic = 14;

// Topic number (1 to kHelpTopicCount); nullptr for any other number.
const char* HelpTopicText(int number);

// What a command of the board's Help menu shows: a topic number, 0 for the Overview, or -1 when
// the command is not one of the Help menu's topic items.
int HelpTopicForCommand(int command);

#endif

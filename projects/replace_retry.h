// How long a save waits for a replace that another program refuses for a moment: a virus
// scanner or a backup often keeps a freshly written file open for a second or more.
#ifndef VARNEL_PROJECTS_REPLACE_RETRY_H
#define VARNEL_PROJECTS_REPLACE_RETRY_H

// What all the pauses of one replace add up to at most.
constexpr unsigned kReplaceRetryBudgetMs = 3000;

// The pause before the next try, after `attempt` refused tries (1 after the first) that waited
// `waitedMs` in all; 0 when the save should give up. The pauses grow, so a short hold costs
// little and a long one is not tried many hundred times.
unsigned ReplaceRetryPauseMs(int attempt, unsigned waitedMs);

#endif

// Only one copy of the program runs: a second copy asks the running one to show itself and ends.
#ifndef VARNEL_BOARD_RUNNING_COPY_H
#define VARNEL_BOARD_RUNNING_COPY_H

#include <windows.h>

class BoardDialog;

// Marks a window as a board of this program, so other copies can tell it from any other window
// whose handle a stale registration may name.
void MarkAsBoard(HWND board);
bool IsVarnelBoard(HWND window);
// A board that has begun closing says so, so that a new copy waits for it to end instead of
// handing over to a board that is about to go.
void MarkBoardClosing(HWND board, bool closing);

// The asking side, during the board's start-up. Returns true when a running copy answered: the
// board has then been ended and its start-up must stop.
bool RunningCopyCheck(BoardDialog& board);

// Command 32813 in the running copy: answer, centre and show the board.
void AnswerHandoverRequest(HWND askingBoard);
// Command 32814 in the asking copy.
void AcknowledgeHandover();

// At the board's destruction: give up the registration, or bring the running copy forward.
void EndRunningCopy();

#endif

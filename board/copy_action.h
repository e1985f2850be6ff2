// The copy action, what the program is for: a copy button puts its field's text on the
// clipboard and, with Auto Paste, pastes it into the application that was active before.
#ifndef VARNEL_BOARD_COPY_ACTION_H
#define VARNEL_BOARD_COPY_ACTION_H

void CopyAction(int button);

#endif

// Every command of the board arrives here: copy buttons, check boxes, combo box, menu commands,
// shortcuts and the commands other parts post to the board.
#include "board/board_dialog.h"

#include "board/board_layout.h"
#include "board/board_state.h"
#include "board/running_copy.h"
#include "resources/resource.h"

void BoardDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);

  if (code == EN_SETFOCUS && IsTextField(id)) {
    SelectField(id);
  } else {
    switch (id) {
      case IDC_MIN_ON_EACH_COPY:
        MinOnEachCopy = IsItemChecked(IDC_MIN_ON_EACH_COPY) ? 1 : 0;
        FocusProjectCombo();
        break;
      case IDC_TOPMOST:
        TopMost = IsItemChecked(IDC_TOPMOST) ? 1 : 0;
        PlaceBoardInBand(TopMost == 1);
        FocusProjectCombo();
        break;
      case ID_FILE_EXIT:
      case ID_TRAY_EXIT:
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        break;
      case ID_HANDOVER_REQUEST:
        AnswerHandoverRequest(reinterpret_cast<HWND>(lParam));
        break;
      case ID_HANDOVER_ACKNOWLEDGE:
        AcknowledgeHandover();
        break;
      default:
        break;
    }
  }
  DefaultCommand(wParam);
}

// The texts of the built-in help, stored exactly as the window shows them (CR LF line breaks,
// each topic ending with three of them), and the Help menu's commands.
#include "dialogs/help_topics.h"

#include "resources/resource.h"

namespace {

const char* const kHelpTopics[kHelpTopicCount] = {
    "Varnel Overview\r\n\r\n"
    "There are 33 text fields per page or project. You can have as many pages as you want. You can "
    "have 1000s of fields if you wish. Any one of these 1000s of fields can be easily copied into "
    "the Windows clipboard using the [Copy] button found just to the left of said field. Once "
    "copied, the text can be pasted into any Windows application. Each field holds up to 10240 text "
    "characters. You can copy from other editors and word processors and paste directly into these "
    "fields, or put the blinking cursor in the edit box and select the [Edit], [Edit Text "
    "Field].\r\n\r\n"
    "You can also right-click the button, select [Edit Text Field] and edit the field.\r\n\r\n"
    "Any time you copy text from another Windows application, you can paste into these fields using "
    "a variety of methods. One easy method of copying and pasting from one application or program to "
    "another is to use the Copy command [Ctrl+C] and the Paste command [Ctrl+V].\r\n\r\n"
    "To help you remember what is in each text field, you can edit its copy button by selecting "
    "[Edit], [Rename Buttons].\r\n\r\n"
    "To rename just one button, you can right-click the button, select [Rename Buttons] and rename "
    "it.\r\n\r\n"
    "Once you have Varnel set up the way you want it, you can save it for future use and/or "
    "modification. Saving this profile is known as saving a project. You can have as many projects "
    "or pages as you want.\r\n\r\n\r\n",
    "[Edit], [Rename Buttons]\r\n\r\n"
    "To help you remember what is in each field, you can edit its copy button by selecting [Edit], "
    "[Rename Buttons].\r\n\r\n"
    "To rename just one button, you can right-click the button, select [Rename Buttons] and rename "
    "it.\r\n\r\n\r\n",
    "[Edit], [Edit Text Field]\r\n\r\n"
    "Place your blinking cursor in the field you want to edit and select [Edit], [Edit Text "
    "Field].\r\n\r\n"
    "You can also right-click the button, select [Edit Text Field] and edit the field.\r\n\r\n\r\n",
    "[Edit], [Find]\r\n\r\n"
    "This will load the [Find in Projects] dialog box.\r\n\r\n"
    "You can search through the current project or all the projects for text fields and/or buttons "
    "that you specify.\r\n\r\n"
    "You can specify the text to search for and set any options that will help in the search.\r\n\r\n"
    "To start searching at the beginning of the project(s), click on the [Find First] button. If the "
    "text string is found, you can click on the [Find Next] button to find the next occurrence of "
    "the text string.\r\n\r\n"
    "To copy the found project field to the clipboard, click on the [Copy this Text Field to the "
    "Windows Clipboard] button.\r\n\r\n"
    "To copy the found project field to the clipboard and exit the [Find in Projects] dialog box, "
    "click on the on the [Copy and Close] button.\r\n\r\n"
    "To just close this box, click on the [Just Close] button.\r\n\r\n\r\n",
    "[X]Minimize On Each Copy\r\n\r\n"
    "When this option is checked, Varnel minimizes each time you select one of the Varnel copy "
    "buttons. This is handy if you are filling in a form that takes the whole screen.\r\n\r\n"
    "Example:\r\n"
    "When you need some data, click the Varnel button on the [Taskbar] and Varnel will appear over "
    "the top of your form. Select the Varnel copy button that you need. Varnel will copy the data "
    "into the Windows clipboard and minimize until you need it again, leaving your form where you "
    "can get to it easily.\r\n\r\n\r\n",
    "[X]Varnel TopMost\r\n\r\n"
    "When this option is checked, Varnel becomes a TopMost Application. This is handy if you are "
    "filling in a form and want to move Varnel around on top of the form. With Varnel TopMost, it "
    "will not fall into the background even if you click on the form or other "
    "applications.\r\n\r\n\r\n",
    "[Open Project]\r\n\r\n"
    "Rather than selecting [File], [Open Project], you select the project that you want from the "
    "[Project] combo box, located at the top right in Varnel.\r\n\r\n\r\n",
    "[File], [New Project]\r\n\r\n"
    "Sets all Varnel buttons and text fields blank so you can start a new project.\r\n\r\n\r\n",
    "[Open Project]\r\n\r\n"
    "Open a Varnel project that you saved earlier, or one of the SAMPLE.VRL files that came with "
    "Varnel.\r\n\r\n"
    "To open a project, select the [Change Project] combo box, located at the top right in "
    "Varnel.\r\n\r\n\r\n",
    "[File], [Save Project]\r\n\r\n"
    "Save any changes to the current Varnel project.\r\n\r\n\r\n",
    "[File], [SaveAs Project]\r\n\r\n"
    "Save the current Varnel project under a new name. If you open an existing project, make some "
    "changes, and select [File], [SaveAs Project]; you now have two projects. This is an easy way to "
    "create a new project, especially if the two are similar.\r\n\r\n\r\n",
    "[File], [Exit]\r\n\r\n"
    "Exit Varnel.\r\n\r\n\r\n",
    "[Configure], [Reposition Buttons and Text Fields]\r\n\r\n"
    "Click all 33 copy buttons in the order that you want them to be. When all 33 buttons have been "
    "clicked, the buttons and their associated text fields will be repositioned to reflect your "
    "selections. Once you begin this procedure, you must select all 33 copy buttons before Varnel "
    "will once again become functional.\r\n\r\n\r\n",
    "[Configure], [Consolidate Projects]\r\n\r\n"
    "Alphabetically consolidate projects over the full range of several or all of the "
    "projects.\r\n\r\n"
    "Select all the projects that you want to consolidate. The project names will remain the same, "
    "but the fields will be redistributed, alphabetically, over the full range of all the "
    "projects.\r\n\r\n\r\n",
    "[Options], [Use Tray instead of Taskbar]\r\n\r\n"
    "When this menu item is checked, an ICON appears in the system tray and the taskbar button "
    "disappears anytime Varnel in minimized. One click on the tray ICON with the the left mouse "
    "button and Varnel is reactivated.\r\n\r\n\r\n",
    "[Options], [Hide in Tray at Startup if Use Tray is Checked]\r\n\r\n"
    "If [Use Tray instead of Taskbar] and this [Hide in Tray at Startup if Use Tray is Checked] are "
    "checked, then Varnel will minimize into the system tray when you start it.\r\n\r\n"
    "One left-click on the Varnel tray ICON will reactivated it.\r\n\r\n\r\n",
    "[Options], [Auto Paste into Application]\r\n\r\n"
    "If [Auto Paste into Application] is checked, then Varnel will automatically paste the selected "
    "message into the application for you.\r\n\r\n\r\n",
    "To rename just one button, you can right-click the button, select [Rename Buttons] and rename "
    "it.\r\n\r\n\r\n",
};

struct CommandTopic {
  int command;
  int topic;
};

constexpr CommandTopic kCommandTopics[] = {
    {ID_HELP_OVERVIEW, 0},
    {ID_HELP_MIN_ON_EACH_COPY, 5},
    {ID_HELP_TOPMOST, 6},
    {ID_HELP_CHANGE_PROJECT, 7},
    {ID_HELP_RENAME_ONE_BUTTON, 18},
    {ID_HELP_FILE_NEW, 8},
    {ID_HELP_FILE_OPEN, 9},
    {ID_HELP_FILE_SAVE, 10},
    {ID_HELP_FILE_SAVEAS, 11},
    {ID_HELP_FILE_EXIT, 12},
    {ID_HELP_EDIT_RENAME, kRenameButtonsTopic},
    {ID_HELP_EDIT_TEXT_FIELD, 3},
    {ID_HELP_EDIT_FIND, 4},
    {ID_HELP_CONFIGURE_REPOSITION, kRepositionTopic},
    {ID_HELP_CONFIGURE_CONSOLIDATE, kConsolidateTopic},
    {ID_HELP_OPTIONS_USE_TRAY, 15},
    {ID_HELP_OPTIONS_HIDE_AT_STARTUP, 16},
    {ID_HELP_OPTIONS_AUTO_PASTE, 17},
};

}  // namespace

const char* HelpTopicText(int number) {
  if (number < 1 || number > kHelpTopicCount) return nullptr;
  return kHelpTopics[number - 1];
}

int HelpTopicForCommand(int command) {
  for (const CommandTopic& row : kCommandTopics) {
    if (row.command == command) return row.topic;
  }
  return -1;
}

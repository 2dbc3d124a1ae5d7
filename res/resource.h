// Ids of the program's resources, commands, controls and timers, one definition each.
// Shared by the C++ sources and the resource script.
#pragma once

// Resources
#define IDR_MAINFRAME 128        // menu, accelerators, program icon
#define IDD_READER_VIEW 101      // the reading form
#define IDR_PAGING_DROPDOWN 172  // drop-down menu of the paging tool-bar button
#define IDB_BAND_BACKGROUND 154  // rebar band bitmap
#define IDB_SKIN_BUTTON 162      // five-frame button skin strip
#define IDB_ABOUT_PICTURE 165

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_ADVANCED_SETTINGS 160
#define IDD_READING_RECORDS 166
#define IDD_BOSS_KEY 177
#define IDD_JUMP_PERCENT 178
#define IDD_CONTENTS 184
#define IDD_CUSTOM_RULE 186
// Resource type of the combo-box items that belong to a dialog template (named by the template's id).
// The data is a run of entries {WORD control id, WORD message, DWORD byte count, bytes} ended by a
// WORD 0; the dialog sends each entry's message (CB_ADDSTRING) with its bytes, a CP936 text with
// its NUL, to the control when it opens.
#define RT_DIALOG_LISTS 240

// Tool-bar icons
#define IDI_TB_LIBRARY 148
#define IDI_TB_OPEN 143
#define IDI_TB_ADD_BOOKMARK 144
#define IDI_TB_NIGHT 151
#define IDI_TB_FONT_SMALLER 146
#define IDI_TB_FONT_LARGER 153
#define IDI_TB_SPACING_SMALLER 147
#define IDI_TB_SPACING_LARGER 142
#define IDI_TB_PAGING 145
#define IDI_TB_RECORDS 152
#define IDI_TB_SIDEBAR 150
#define IDI_TB_FULL_SCREEN 149
#define IDI_TB_AUTO_SCROLL 168
#define IDI_TB_EDIT_MODE 169
#define IDI_TB_CONTENTS 185

// View controls (template 101)
#define IDC_LIBRARY_LIST 1000
#define IDC_NEXT_PAGE 1012
#define IDC_PREV_PAGE 1013
#define IDC_PAGE_TOTAL 1014
#define IDC_PAGE_CURRENT 1015
#define IDC_PAGE_CONTROL 1018
#define IDC_BOTTOM_FRAME 1019
#define IDC_TOTAL_LABEL 1021
#define IDC_CURRENT_LABEL 1022
#define IDC_QUOTE_LINE 1028
#define IDC_SCREEN_DOWN 1052

// Dialog controls. Each dialog numbers its own controls, so a number may stand for different
// controls in different dialogs; within one dialog every number is unique.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
// jump to a percentage (178)
#define IDC_JUMP_PERCENT 1001
// table of contents (184)
#define IDC_TOC_PREVIEW 1066
#define IDC_TOC_LIST 1067
// custom chapter rules (186)
#define IDC_RULE_DELETE 1042
#define IDC_RULE_COMBO 1069
#define IDC_RULE_HELP 1070
#define IDC_RULE_ADD 1071
// reading records (166); its open button is IDOK
#define IDC_RECORD_LIST 1041
#define IDC_RECORD_DELETE 1042
#define IDC_RECORD_DELETE_ALL 1043
#define IDC_RECORD_OPEN_FOLDER 1057
// boss key (177)
#define IDC_BOSS_HOTKEY 1058
#define IDC_BOSS_DEFAULT 1062
#define IDC_BOSS_CTRL 1064
#define IDC_BOSS_ALT 1065
#define IDC_BOSS_SHIFT 1066
#define IDC_BOSS_WIN 1067
// advanced settings (160)
#define IDC_QUOTE_FILE 1001
#define IDC_QUOTE_DEFAULT 1029
#define IDC_QUOTE_CUSTOM 1030
#define IDC_QUOTE_OFF 1031
#define IDC_QUOTE_BROWSE 1032
#define IDC_QUOTE_FILE_LABEL 1036
#define IDC_QUOTE_SCROLL 1037
#define IDC_QUOTE_LOOP 1053
#define IDC_ROLL_TYPE 1044
#define IDC_TRAY_BUTTON 1045
#define IDC_TIME_SPAN 1048
#define IDC_REMINDER_SPAN 1049
#define IDC_TIME_END 1054
#define IDC_TIME_FIRST 1055
#define IDC_MARGIN_LEFT 1056
#define IDC_MARGIN_RIGHT 1057
#define IDC_MARGIN_TOP 1058
#define IDC_MARGIN_BOTTOM 1059
#define IDC_CUSTOM_TITLE 1065
// About box (100)
#define IDC_ABOUT_NOTES 1001
#define IDC_ABOUT_SLOGAN 1038
#define IDC_ABOUT_MAIL 1039
#define IDC_ABOUT_HOME 1040
#define IDC_ABOUT_AUTHOR 1051

// Frame children
#define IDW_TOOLBAR 59392
#define IDW_STATUSBAR 59393
#define IDW_REBAR 59396

// Status-bar panes
#define ID_PANE_CLOCK 101
#define ID_PANE_SIZE 102
#define ID_PANE_PROGRESS 103
#define IDS_IDLE_PROMPT 57345

// Commands: file
#define ID_FILE_OPEN_FOLDER 32773
#define ID_FILE_OPEN 57601
#define ID_FILE_CLEAR_RECENT 57631
#define ID_FILE_MRU_FIRST 57616             // .. 57630: ids with the recent-entry tip text
#define ID_RECENT_FOLDER_FIRST 57617        // .. 57621: recent folders 1..5
#define ID_RECENT_FOLDER_PLACEHOLDER 57625  // item of the empty submenu, removed at the first rebuild
#define ID_FILE_RECORDS 32813
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_APP_EXIT 57665
#define ID_FORCE_UTF8 32856
// bookmarks
#define ID_BOOKMARK_ADD 32775
#define ID_BOOKMARK_CLEAR 32780
#define ID_BOOKMARK_OPEN_FIRST 32781    // .. 32789
#define ID_BOOKMARK_DELETE_FIRST 61204  // .. 61212
// options
#define ID_FONT 32771
#define ID_BK_DEFAULT 61300
#define ID_BK_OTHER 32772
#define ID_BK_PICTURE 32824
#define ID_SPACING_DEFAULT 61301
#define ID_SPACING_15 61302
#define ID_SPACING_20 61303
#define ID_SPACING_25 32790
#define ID_SPACING_30 32791
#define ID_SIZE_SMALL 32792
#define ID_SIZE_MEDIUM 32793
#define ID_SIZE_LARGE 32794
#define ID_PAGING_LINES 32798
#define ID_PAGING_CHAPTERS 32797
#define ID_PAGING_WHOLE 32830
#define ID_PAGING_CYCLE 32799
#define ID_FONT_SMALLER 32805     // tool bar only
#define ID_FONT_LARGER 32806      // tool bar only
#define ID_SPACING_SMALLER 32807  // tool bar only
#define ID_SPACING_LARGER 32808   // tool bar only
#define ID_TEXT_COLOR 32831
// interface
#define ID_FULL_SCREEN 32803
#define ID_SIDEBAR 32800
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_QUOTE_BAR 32832
// extensions
#define ID_CONTENTS 32854
#define ID_NIGHT_MODE 32774
#define ID_RULE_1 32816
#define ID_RULE_2 32817
#define ID_RULE_3 32818
#define ID_RULE_4 32819
#define ID_RULE_5 32820
#define ID_RULE_6 32822
#define ID_RULE_7 32829
#define ID_RULE_CUSTOM 32859
#define ID_RULE_8 32857
#define ID_RULE_9 32858
#define ID_DELETE_BLANK_LINES 32848
#define ID_KEEP_ONE_LINE 32849
#define ID_KEYUD_1 32851
#define ID_KEYUD_2 32852
#define ID_KEYUD_3 32853
#define ID_AUTO_SCROLL 32823
#define ID_JUMP_PERCENT 32847
#define ID_BOSS_KEY 32846
#define ID_ADVANCED_SETTINGS 32809
#define ID_TXT_ASSOCIATION 32855
// help
#define ID_APP_ABOUT 57664
#define ID_LINK_1 32814
#define ID_LINK_2 32828
#define ID_LINK_3 32811
#define ID_LINK_4 32826
#define ID_LINK_5 32812
#define ID_LINK_YILIN 32810  // no menu item
#define ID_LINK_YIGE 32825   // no menu item
#define ID_SHORTCUT_HELP 32845
// edit (accelerators)
#define ID_EDIT_COPY 57634
#define ID_EDIT_FIND 57636
#define ID_EDIT_REPLACE 57641
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_EDIT_CUT 57635
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_EDIT_MODE 108
#define ID_SCREEN_DOWN_CMD 32796

// View timers
#define TIMER_CLOSE_TIP 100
#define TIMER_RESTORE_LINE 101
#define TIMER_WHOLE_BOOK_LINES 102
#define TIMER_AUTO_SCROLL 111
#define TIMER_POSITION 150
#define TIMER_RESUME_PROMPT 160
#define TIMER_HIDE_CURSOR 300
// Frame timers
#define TIMER_FRAME_FIRST_SHOW 11
#define TIMER_FRAME_READING_TIME 12
#define TIMER_FRAME_CLOCK 101

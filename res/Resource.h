#pragma once

// Command ids shared by menus, toolbar buttons, accelerators and context menus.
enum CommandId : int {
    ID_APP_ABOUT = 57664,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_SETUP = 57606,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57667,
    ID_HELP_FINDER = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    ID_RECORD_NIEUW = 32779,
    ID_RECORD_VERWIJDER = 32780,
    ID_RECORD_WIJZIG = 32781,
    ID_EDIT_DOC = 32783,
    ID_PRINT_DOC = 32784,
    ID_AGENDA_NIEUW = 32785,
    ID_AGENDA_VERWIJDER = 32786,
    ID_AGENDA_WIJZIG = 32787,
    ID_INSTELLINGEN = 32791,
    ID_TRAY_OPEN = 32794,
    ID_TRAY_EINDE = 32795,

    // Exchange: relations as vCard, the agenda as iCalendar, lists as CSV.
    ID_EXPORTEER_VCARD = 32820,
    ID_EXPORTEER_VCARD3 = 32821,
    ID_EXPORTEER_ICAL = 32822,
    ID_EXPORTEER_CSV = 32823,
    ID_IMPORTEER_VCARD = 32824,
    ID_IMPORTEER_ICAL = 32825,
    ID_RELATIE_VCARD = 32826,
    ID_IMPORTEER_CSV_RELATIES = 32827,
    ID_IMPORTEER_CSV_PERSONEN = 32828,
    // Backups: a copy to a chosen place, and restoring one of the program's own copies.
    ID_RESERVEKOPIE_MAKEN = 32830,
    ID_RESERVEKOPIE_TERUGZETTEN = 32831,
    // Search: the search line and its results.
    ID_ZOEKEN = 32810,
};

#pragma once
// Ids of the dialogs that change values across the whole library. Plain macros: windres reads this too.

// A value renamed, removed or split in every file of the library: the new value or the separators, and
// what will happen.
#define IDD_LIBRARY_VALUE 1400
#define IDC_LIBRARY_VALUE_LABEL 1401
#define IDC_LIBRARY_VALUE_NEW 1402
#define IDC_LIBRARY_VALUE_SLASH 1403
#define IDC_LIBRARY_VALUE_SEMICOLON 1404
#define IDC_LIBRARY_VALUE_COMMA 1405
#define IDC_LIBRARY_VALUE_SPLIT_LABEL 1406
#define IDC_LIBRARY_VALUE_SUMMARY 1407
#define IDC_LIBRARY_VALUE_NOTE 1408
#define IDC_LIBRARY_VALUE_FILES 1409

// Groups of values that differ only in case, accents, spaces or punctuation; the value kept.
#define IDD_SIMILAR_VALUES 1500
#define IDC_SIMILAR_VALUES_LABEL 1501
#define IDC_SIMILAR_VALUES_LIST 1502
#define IDC_SIMILAR_VALUES_KEEP 1503

#ifndef MERVA_APP_IMPORT_IDS_H
#define MERVA_APP_IMPORT_IDS_H

/* Controls of the import dialogs (resource script and code). */
#define IDC_FILE_TYPES_BUTTON 901  /* MYFILEOPEN32 */
#define IDC_X_COLUMN 902           /* USECOLUMNS */
#define IDC_USE_Y_COLUMNS 903
#define IDC_Y_COLUMN_FIRST 911     /* column n is 910 + n */
#define IDC_Y_COLUMN_LAST 926
#define IDC_START_TIME 128         /* TIMELIMITS */
#define IDC_FINISH_TIME 129

#endif

// Ids of the program's resources, shared by zentab.rc and the code.
#pragma once

#define IDI_ZENTAB 1
#define IDI_VOTE 2

#define IDB_ABOUT_BACKGROUND 101
#define IDB_ABOUT_LOGO 102

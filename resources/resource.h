// Ids of the program's resources, shared by zentab.rc and the code.
#pragma once

#define IDI_ZENTAB 1

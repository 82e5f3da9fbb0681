/* Identifiers of zarn.exe's resources, shared by the resource scripts and the code: plain
   macros, as the resource compiler reads them. */
#pragma once

/* ZARN's icon, the first icon group of the program, which Explorer shows for it. */
#define ZARN_ICON_ID 1

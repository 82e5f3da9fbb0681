/* Identifiers of zarn.exe's resources, shared by the resource scripts and the code: plain
   macros, as the resource compiler reads them. */
#pragma once

/* ZARN's icon, the first icon group of the program, which Explorer shows for it. */
#define ZARN_ICON_ID 1

/* The manifest of the common controls' version 6, for the activation context the tip is made in
   (the program's own manifest, identifier 1, does without them). */
#define ZARN_COMMON_CONTROLS_MANIFEST_ID 3

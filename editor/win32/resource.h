// Resource identifiers of the editor.
#pragma once

#define IDI_MARLWICK 1

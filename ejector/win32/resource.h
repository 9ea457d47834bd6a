// Resource identifiers of the eject tool.
#pragma once

#define IDI_VANDREL 102
#define IDI_VANDREL_SMALL 103

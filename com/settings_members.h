/* The string properties of the settings objects' automation interfaces, made
 * from the settings objects' own property tables (settings/property_lists.h):
 * every row but the internal ones, in table order. Plain preprocessor macros,
 * read both by the type library source (through the C preprocessor) and by
 * the C++ adapters, so that the tables, the interfaces and their
 * implementation cannot drift apart. */
#ifndef RXTHEME_COM_SETTINGS_MEMBERS_H_
#define RXTHEME_COM_SETTINGS_MEMBERS_H_

#include "settings/property_lists.h"

/* RX_IF_PUBLIC_##kind(...): the arguments for a row of a kind that the
 * interfaces show, nothing for an internal one. */
#define RX_IF_PUBLIC_kImage(...) __VA_ARGS__
#define RX_IF_PUBLIC_kText(...) __VA_ARGS__
#define RX_IF_PUBLIC_kInternal(...)

#endif

// RXTHEME_API marks what the shared library exports: the public classes and
// free functions. RXTHEME_LOCAL keeps a member of an exported class (one that
// only the library itself calls) inside it. The library is built with hidden visibility, so
// everything else (the internal layers) stays inside it. On Windows the automation server exports
// its COM entry points through its own .def file and nothing else, so the mark is empty there.
#pragma once

#if defined(_WIN32)
#define RXTHEME_API
#define RXTHEME_LOCAL
#elif defined(__GNUC__) || defined(__clang__)
#define RXTHEME_API __attribute__((visibility("default")))
#define RXTHEME_LOCAL __attribute__((visibility("hidden")))
#else
#define RXTHEME_API
#define RXTHEME_LOCAL
#endif

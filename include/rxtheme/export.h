// RXTHEME_API marks what the shared library exports: the public classes and
// free functions. The library is built with hidden visibility, so everything
// else (the internal layers) stays inside it. On Windows the automation
// server exports its COM entry points through its own .def file and nothing
// else, so the mark is empty there.
#pragma once

#if defined(_WIN32)
#define RXTHEME_API
#elif defined(__GNUC__) || defined(__clang__)
#define RXTHEME_API __attribute__((visibility("default")))
#else
#define RXTHEME_API
#endif

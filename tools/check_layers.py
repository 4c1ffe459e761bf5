#!/usr/bin/env python3
"""Checks that each layer under src/ includes only itself and the layers before it,
and that the core library includes nothing beyond the C++ standard library but
the operating system's headers in the platform layer's files for that system."""
import pathlib
import re
import sys

LAYERS = ["runtime", "platform", "persist", "settings", "sections", "theme", "picker"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# The system headers that the platform layer's real file systems may use, by
# the files that may use them: the POSIX ones in posix_*, the Windows ones in
# win_* (which only the Windows build compiles).
POSIX_SYSTEM = {"unistd.h", "fcntl.h", "dirent.h", "sys/stat.h", "sys/types.h", "errno.h"}
WINDOWS_SYSTEM = {"windows.h"}


def system_header_allowed(layer: str, path: pathlib.Path, name: str) -> bool:
    if layer != "platform":
        return False
    if path.name.startswith("posix_"):
        return name in POSIX_SYSTEM
    if path.name.startswith("win_"):
        return name in WINDOWS_SYSTEM
    return False


def main(root: pathlib.Path) -> int:
    problems = []
    for rank, layer in enumerate(LAYERS):
        for path in sorted((root / "src" / layer).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for kind, name in INCLUDE.findall(path.read_text()):
                if kind == '"':
                    top = name.split("/")[0]
                    if top not in LAYERS:
                        problems.append(f"{path}: include \"{name}\" is not a layer header")
                    elif LAYERS.index(top) > rank:
                        problems.append(f"{path}: {layer} must not include {top} (\"{name}\")")
                elif "/" in name or name.endswith(".h"):
                    if not system_header_allowed(layer, path, name):
                        problems.append(f"{path}: <{name}> is not a standard C++ header")
    for p in problems:
        print(p)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")))

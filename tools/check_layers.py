#!/usr/bin/env python3
"""Checks that each layer under src/ includes only itself and the layers before it,
and that the core library includes nothing beyond the C++ standard library."""
import pathlib
import re
import sys

LAYERS = ["runtime", "platform", "persist", "settings", "sections", "theme", "picker"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# POSIX headers that the platform layer's real file system may use.
PLATFORM_SYSTEM = {"unistd.h", "fcntl.h", "dirent.h", "sys/stat.h", "sys/types.h", "errno.h"}


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
                    if not (layer == "platform" and name in PLATFORM_SYSTEM):
                        problems.append(f"{path}: <{name}> is not a standard C++ header")
    for p in problems:
        print(p)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")))

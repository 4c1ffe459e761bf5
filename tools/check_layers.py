#!/usr/bin/env python3
"""Checks the layering of the core library.

The public headers live in include/rxtheme/<layer>/ (plus the umbrella and
the version and export headers in include/rxtheme/), the internal headers and
the sources in src/<layer>/. Each layer includes only itself and the layers
before it; public headers are included as <rxtheme/...>, internal ones as
"layer/name.h". A public header includes only public headers and the C++
standard library, so that a host needs nothing but include/. The core library
includes nothing beyond the C++ standard library, but for the operating
system's headers in the platform layer's files for that system (posix_*,
win_*, which only the Windows build compiles)."""
import pathlib
import re
import sys

LAYERS = ["runtime", "platform", "persist", "settings", "sections", "theme", "picker", "authoring"]
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


# The public headers outside the layers: they include no layer header but the
# umbrella, which includes every public one.
TOP_LEVEL = {"export.h", "version.h", "rxtheme.h"}


def layer_rank(name: str):
    top = name.split("/")[0]
    return LAYERS.index(top) if top in LAYERS else None


def check_file(root, path, rank, public, problems):
    where = path.relative_to(root)
    layer = LAYERS[rank] if rank is not None else "top level"
    for kind, name in INCLUDE.findall(path.read_text()):
        if kind == '"':
            if public:
                problems.append(f"{where}: public header includes internal \"{name}\"")
                continue
            if not (root / "src" / name).is_file():
                problems.append(f"{where}: include \"{name}\" is not an internal layer header")
                continue
            target = layer_rank(name)
        elif name.startswith("rxtheme/"):
            inner = name[len("rxtheme/"):]
            if not (root / "include" / name).is_file():
                problems.append(f"{where}: <{name}> is not a public header")
                continue
            if inner in TOP_LEVEL:
                if inner == "rxtheme.h":
                    problems.append(f"{where}: the umbrella header is for hosts only")
                continue
            target = layer_rank(inner)
        elif "/" in name or name.endswith(".h"):
            if public or not system_header_allowed(layer, path, name):
                problems.append(f"{where}: <{name}> is not a standard C++ header")
            continue
        else:
            continue
        if target is None:
            problems.append(f"{where}: \"{name}\" is in no layer")
        elif rank is not None and target > rank:
            problems.append(f"{where}: {layer} must not include {LAYERS[target]} (\"{name}\")")


def main(root: pathlib.Path) -> int:
    problems = []
    for rank, layer in enumerate(LAYERS):
        for path in sorted((root / "src" / layer).glob("*")):
            if path.suffix in (".h", ".cpp"):
                check_file(root, path, rank, False, problems)
        for path in sorted((root / "include" / "rxtheme" / layer).glob("*")):
            if path.suffix == ".h":
                check_file(root, path, rank, True, problems)
    public_root = root / "include" / "rxtheme"
    for path in sorted(public_root.glob("*")) if public_root.is_dir() else []:
        if path.is_dir():
            if path.name not in LAYERS:
                problems.append(f"{path.relative_to(root)}: not a layer")
        elif path.name not in TOP_LEVEL:
            problems.append(f"{path.relative_to(root)}: unexpected public header")
        else:
            check_file(root, path, None, True, problems)
    stray = [p for p in (root / "include").glob("*") if p.name != "rxtheme"]
    problems += [f"{p.relative_to(root)}: include/ holds only rxtheme/" for p in stray]
    for p in problems:
        print(p)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")))

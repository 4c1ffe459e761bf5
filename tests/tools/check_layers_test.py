#!/usr/bin/env python3
"""tools/check_layers.py on small trees: the system headers each platform file
may include, and the layer order."""
import pathlib
import subprocess
import sys
import tempfile

CHECKER = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check_layers.py"
CASES = [  # files of the tree, and the problems expected
    ({"platform/win_env.cpp": "#include <windows.h>\n#include \"platform/env.h\"\n",
      "platform/env.h": "",
      "platform/posix_env.cpp": "#include <unistd.h>\n#include <sys/stat.h>\n"}, 0),
    ({"platform/env.cpp": "#include <windows.h>\n"}, 1),
    ({"platform/posix_env.cpp": "#include <windows.h>\n"}, 1),
    ({"platform/win_env.cpp": "#include <unistd.h>\n"}, 1),
    ({"theme/win_theme.cpp": "#include <windows.h>\n"}, 1),
    ({"runtime/text.cpp": "#include \"platform/env.h\"\n"}, 1),
]

failures = 0
for files, expected in CASES:
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root, "src", name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        run = subprocess.run([sys.executable, str(CHECKER), root], capture_output=True, text=True)
        found = run.stdout.count("\n") - 1
        if found != expected or (run.returncode != 0) != (expected != 0):
            failures += 1
            print(f"FAIL: {sorted(files)}: {found} problem(s), expected {expected}\n{run.stdout}")
print(f"{len(CASES) - failures} passed, {failures} failed")
sys.exit(1 if failures else 0)

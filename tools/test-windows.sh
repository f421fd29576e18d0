#!/usr/bin/env bash
# The Windows build's tests: builds Skorvane!.scr for x86_64 and i686 (tools/build-windows.sh),
# runs the tests built with mingw under Wine, and the end-to-end run under Wine on a virtual X
# server. Only the 64-bit build runs: Debian's 32-bit Wine cannot be installed beside the
# 64-bit libraries here, so the 32-bit file is built and checked for its imports alone.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build-windows.sh
for arch in x86_64 i686; do
  imports=$("$arch-w64-mingw32-objdump" -p "build-windows/$arch/Skorvane!.scr" |
    awk '/DLL Name/ {print tolower($3)}' | sort | tr '\n' ' ')
  echo "build-windows/$arch/Skorvane!.scr imports: $imports"
  for dll in $imports; do
    case $dll in
      advapi32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | oleaut32.dll | \
        user32.dll | winmm.dll) ;;
      *) echo "FAIL: $arch imports $dll, which Windows does not have" && exit 1 ;;
    esac
  done
done
export WINEPREFIX="$PWD/build-windows/x86_64/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts to install .NET or a browser engine
[ -d "$WINEPREFIX" ] || xvfb-run -a wineboot -i >/dev/null 2>&1
xvfb-run -a wine build-windows/x86_64/windows_tests.exe --gtest_brief=1
bash tests/windows/e2e.sh build-windows/x86_64

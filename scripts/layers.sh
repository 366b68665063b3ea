#!/usr/bin/env bash
# The include rule of the source folders: a folder includes only folders below it. common/ is the
# floor; widgets/ builds on common/ only; app/ is the top and nothing includes it; the core never
# includes widgets/ or a widget header. Prints every offending include and fails when there is one.
set -uo pipefail
cd "$(dirname "$0")/../src"
ui='(Window|Page|Tab|Dialog|Widget|Painter|Pane|Ui)\.h"'
status=0
report() { echo "layers: $1"; status=1; }

while IFS= read -r hit; do report "$hit (nothing below app/ includes app/)"; done \
    < <(grep -rnE '#include "app/' --include='*.cpp' --include='*.h' . | grep -v '^\./app/')
while IFS= read -r hit; do report "$hit (widgets/ builds on common/ only)"; done \
    < <(grep -rnE '#include "[a-z]+/' widgets | grep -vE '#include "(common|widgets)/')
while IFS= read -r hit; do report "$hit (core code includes no widget code)"; done \
    < <(grep -rnE "#include \"(widgets/|[a-z]+/[A-Za-z]*$ui)" --include='*.cpp' --include='*.h' . |
        grep -vE "^\./(widgets/|app/|[a-z]+/[A-Za-z]*(Window|Page|Tab|Dialog|Widget|Painter|Pane|Ui)\.(h|cpp):)")
while IFS= read -r hit; do report "$hit (common/ is the floor)"; done \
    < <(grep -rnE '#include "[a-z]+/' common | grep -v '#include "common/')
exit $status

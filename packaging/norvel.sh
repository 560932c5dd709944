#!/bin/sh
# Starts norvel from its data folder: the program finds its resources below the working
# directory. The folders are found from where this launcher lies, so the installed tree can
# be moved as a whole.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/norvel" || exit 1
exec "$here/../lib/norvel/norvel" "$@"

#!/bin/sh
# Starts or stops the Wine session of the Windows tests in one prefix:
#   wine_session.sh start|stop WINESERVER WINE64 LOG
# WINEPREFIX and the other Wine settings come from the environment.
#
# start makes the prefix (or brings it up to date) and leaves its server
# running: a server that starts anew for each run takes seconds to bring up
# the prefix's services, a running one answers at once. The server and the
# services outlive this script, so they must not keep its output open (the
# test driver reads it to the end); their messages go to LOG. A server left
# over from an interrupted session is stopped first.
# stop ends the server, and the services with it.
set -u
action=$1 wineserver=$2 wine64=$3 log=$4
case $action in
  start)
    "$wineserver" --kill 2>/dev/null
    "$wineserver" --wait
    # The server runs inside the prefix's folder, so that must exist; Wine
    # fills an empty one.
    mkdir -p "$WINEPREFIX" || exit 1
    "$wineserver" --persistent </dev/null >"$log" 2>&1 || exit 1
    exec "$wine64" wineboot --init </dev/null >>"$log" 2>&1
    ;;
  stop)
    # A server that has already gone makes --kill fail; that is fine.
    "$wineserver" --kill 2>/dev/null
    "$wineserver" --wait
    exit 0
    ;;
esac
echo "usage: wine_session.sh start|stop WINESERVER WINE64 LOG" >&2
exit 2

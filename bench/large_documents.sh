#!/usr/bin/env bash
# Whole `zuvo-widgets render` processes on the largest documents the widget reads (just under its
# 16 MiB bound): wall time and peak resident memory of each, in both families. Goal: 100 ms, 64 MB.
#   bash bench/large_documents.sh [build/zuvo-widgets]
set -euo pipefail
program=${1:-build/zuvo-widgets}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# A hundred thousand agents of two windows each (about 8.7 MB).
awk 'BEGIN {
  printf "{\"waiting\":3,\"unread\":5,\"weekScore\":0.9,\"weekSpend\":12.5,\"limits\":["
  for (i = 0; i < 100000; i++)
    printf "%s{\"agent\":\"Agent %d\",\"updatedAt\":794059200,\"windows\":[{\"name\":\"daily\",\"used\":0.42,\"resetsAt\":794077200},{\"name\":\"weekly\",\"used\":0.86}]}", (i ? "," : ""), i
  printf "]}\n" }' > "$dir/many-agents.json"
# One agent with a seven-million-character name.
{ printf '{"waiting":1,"unread":0,"weekSpend":4.2,"limits":[{"agent":"'
  head -c 7000000 /dev/zero | tr '\0' 'a'
  printf '","updatedAt":794059200,"windows":[{"name":"daily","used":0.5}]}]}\n'; } > "$dir/huge-name.json"
# Fifteen agents whose window names are each a million characters long.
{ printf '{"waiting":0,"unread":2,"weekSpend":1,"limits":['
  for i in $(seq 1 15); do
    [ "$i" = 1 ] || printf ','
    printf '{"agent":"Agent %d","updatedAt":794059200,"windows":[{"name":"' "$i"
    head -c 1000000 /dev/zero | tr '\0' 'w'
    printf '","used":0.5}]}'
  done
  printf ']}\n'; } > "$dir/huge-window-names.json"

# CPU time (user + system) is the figure to compare on a busy machine; wall time waits for the CPU.
printf '%-18s %-7s %9s %9s %8s %8s\n' document family bytes "wall (s)" "CPU (s)" "peak MB"
for doc in many-agents huge-name huge-window-names; do
  for family in small medium; do
    "$program" check "$dir/$doc.json" > /dev/null
    /usr/bin/time -f '%e %U %S %M' -o "$dir/time" "$program" render --status "$dir/$doc.json" --family "$family" \
      --scale 2 -o "$dir/out.png"
    read -r wall user sys kb < "$dir/time"
    printf '%-18s %-7s %9d %9s %8s %8d\n' "$doc" "$family" "$(stat -c %s "$dir/$doc.json")" "$wall" \
      "$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')" $((kb / 1024))
  done
done

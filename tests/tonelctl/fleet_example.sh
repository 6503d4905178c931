#!/usr/bin/env bash
# A round through the venue by room name: list the rooms, back every room up into a dated folder,
# tune two rooms, see what changed in one of them since the backup, and put the backup back.
#
#   fleet_example.sh [TONELCTL [FLEET]]    (defaults: $TONELCTL or tonelctl; $TONEL_FLEET or
#                                           ~/.config/tonel/fleet)
set -euo pipefail

tonelctl=${1:-${TONELCTL:-tonelctl}}
export TONEL_FLEET=${2:-${TONEL_FLEET:-$HOME/.config/tonel/fleet}}

# The rooms, one "NAME<TAB>PORT" a line.
"$tonelctl" fleet

# Every room into backup-YYYY-MM-DD/NAME.cfg; a room that fails is named and the exit status is 1.
backup=backup-$(date +%F)
"$tonelctl" read --all -o "$backup/"

# Tune two rooms by name: the same change, sent to both at once.
"$tonelctl" set --port room01 --port room02 room.eq3.freq=1.5k room.eq3.gain=-3

# What changed in room02 since the backup? diff exits 1 when something did.
if ! "$tonelctl" diff "$backup/room02.cfg" --port room02; then
    echo "room02 has changed since $backup"
fi

# What a restore would change in each room (nothing is sent yet: the frames themselves are left
# out here), then the restore: each NAME.cfg goes back to the room of that name.
"$tonelctl" write "$backup/" --dry-run | grep -v '^(01'
"$tonelctl" write "$backup/"

# Every room is as the backup has it again.
for room in $("$tonelctl" fleet | cut -f1); do
    "$tonelctl" diff "$backup/$room.cfg" --port "$room" >/dev/null
done
echo "all rooms restored from $backup"

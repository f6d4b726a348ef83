#!/usr/bin/env bash
# Sourced by check-release.sh: `udevadm test` on made-up USB serial adapters
# (umockdev), with the rule given as the only local rule, in a mount namespace
# so that neither the machine's rules nor its udev database change.
# Each adapter below must get the uaccess tag and ModemManager's ignore flag;
# an adapter the rule does not name must get neither.

# udev's view of a ttyUSB0 on a USB device VID:PID, as umockdev-record writes it.
made_up_adapter() {
    cat <<EOF2
P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0
N: ttyUSB0
E: DEVNAME=/dev/ttyUSB0
E: SUBSYSTEM=tty
E: MAJOR=188
E: MINOR=0
A: dev=188:0

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0
E: SUBSYSTEM=usb-serial

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0
E: SUBSYSTEM=usb
E: DEVTYPE=usb_interface

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1
N: bus/usb/001/002
E: SUBSYSTEM=usb
E: DEVTYPE=usb_device
A: idVendor=${1%:*}
A: idProduct=${1#*:}
A: dev=189:1
EOF2
}

# The properties udev would give that adapter: "TAGS=..." and the like.
udev_properties() {
    local rule=$1 id=$2 dir
    dir=$(mktemp -d)
    mkdir "$dir/rules.d"
    cp "$rule" "$dir/rules.d/"
    made_up_adapter "$id" >"$dir/adapter"
    # udevadm links /dev/char/MAJOR:MINOR; that folder gets a private tmpfs.
    local made_char=
    [ -d /dev/char ] || { mkdir /dev/char && made_char=1; }
    mkdir -p /run/udev
    unshare --mount sh -c "
        mount -t tmpfs none /run/udev && mount -t tmpfs none /dev/char &&
        mount --bind '$dir/rules.d' /etc/udev/rules.d &&
        umockdev-run --device '$dir/adapter' -- \
            udevadm test --action=add /sys/class/tty/ttyUSB0" 2>/dev/null
    local status=$?
    [ -z "$made_char" ] || rmdir /dev/char
    rm -rf "$dir"
    return $status
}

check_udev_rule() {
    local rule=$1
    if ! unshare --mount true 2>/dev/null; then
        echo "udev-check: no mount namespace here (not root?); udevadm test skipped" >&2
        return 0
    fi
    local id name props
    # USB ids of the chips the rule is for, as their makers assign them.
    while read -r id name; do
        props=$(udev_properties "$rule" "$id") || fail "udevadm test failed for $name ($id)"
        grep -q '^TAGS=.*:uaccess:' <<<"$props" || fail "$name ($id) gets no uaccess tag"
        grep -qx 'ID_MM_DEVICE_IGNORE=1' <<<"$props" ||
            fail "ModemManager is not told to ignore $name ($id)"
        echo "$name ($id): uaccess, ignored by ModemManager"
    done <<'EOF2'
1a86:7523 CH340
1a86:5523 CH341
10c4:ea60 CP2102
0403:6001 FT232R
0403:6015 FT-X
0483:5740 CDC-ACM
EOF2
    props=$(udev_properties "$rule" 067b:2303) || fail "udevadm test failed for a PL2303"
    ! grep -qE '^TAGS=.*:uaccess:|^ID_MM_DEVICE_IGNORE=' <<<"$props" ||
        fail "the rule takes a PL2303 (067b:2303), which it does not name"
    echo "PL2303 (067b:2303), not named: left alone"
}

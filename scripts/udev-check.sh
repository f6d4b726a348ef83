#!/usr/bin/env bash
# Sourced by check-release.sh: `udevadm test` on made-up USB serial adapters
# (umockdev), with the rule given as the only local rule, in a mount namespace
# so that neither the machine's rules nor its udev database change.
# Each adapter below must get the uaccess tag and ModemManager's ignore flag;
# an adapter the rule does not name must get neither.

# udev's view of a ttyUSB0 on a USB device VID:PID, in umockdev's format.
made_up_adapter() {
    printf '%s\n' "P: /devices/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0" "E: SUBSYSTEM=tty" "" \
        "P: /devices/usb1/1-1" "E: SUBSYSTEM=usb" "A: idVendor=${1%:*}" "A: idProduct=${1#*:}"
}

# The properties udev would give that adapter: "TAGS=..." and the like. The
# made-up device has no device number, so udevadm links nothing under /dev.
udev_properties() {
    local rule=$1 id=$2 dir status=0
    dir=$(mktemp -d)
    mkdir "$dir/rules.d"
    cp "$rule" "$dir/rules.d/"
    made_up_adapter "$id" >"$dir/adapter"
    mkdir -p /run/udev
    unshare --mount sh -c "
        mount -t tmpfs none /run/udev && mount --bind '$dir/rules.d' /etc/udev/rules.d &&
        umockdev-run --device '$dir/adapter' -- \
            udevadm test --action=add /sys/class/tty/ttyUSB0" 2>/dev/null || status=$?
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

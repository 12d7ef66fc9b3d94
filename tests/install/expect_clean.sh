#!/bin/bash
# Runs a validator and fails on its exit status or on any line of its output
# that matches a finding; validators report some findings with status 0.
# Lines matching EXPECT_CLEAN_ALLOW, when it is set, are findings we mean.
# Usage: expect_clean.sh FINDING-REGEX COMMAND [ARG...]
set -uo pipefail
finding=$1
shift

output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
if [ "$status" -ne 0 ]; then
    echo "FAIL: $1 exited with $status"
    exit 1
fi
findings=$output
if [ -n "${EXPECT_CLEAN_ALLOW:-}" ]; then
    findings=$(printf '%s\n' "$output" | grep -Ev -- "$EXPECT_CLEAN_ALLOW")
fi
if printf '%s\n' "$findings" | grep -Eq -- "$finding"; then
    echo "FAIL: $1 reported findings"
    exit 1
fi

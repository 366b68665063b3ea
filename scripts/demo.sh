#!/usr/bin/env bash
# Builds the console and the OLT simulator, starts the simulator with its demo scenario and opens
# the console against it. The console logs in by itself.
#   TW_DEMO_PORT   telnet port of the simulator (default 2323); its control port is the next one,
#                  its SSH port (with --ssh) the one after
#   TW_DEMO_DIR    run directory of the demo console (default build/demo-run)
# Every start begins from the demo's own config.ini; --keep keeps the one the last run left.
# --ssh: the simulator serves SSH too, with its host key kept in the run directory (ssh_host_key),
# and the console connects over SSH; on the first run it asks whether to trust that key.
set -euo pipefail
keep=0
ssh=0
for arg in "$@"; do
  case "$arg" in
    --keep) keep=1 ;;
    --ssh) ssh=1 ;;
    *) echo "usage: bash scripts/demo.sh [--keep] [--ssh]" >&2; exit 2 ;;
  esac
done
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target tarnwick tarnwick-olt-sim

port=${TW_DEMO_PORT:-2323}
run_dir=${TW_DEMO_DIR:-$PWD/build/demo-run}
mkdir -p "$run_dir"

control=$((port + 1))
ssh_args=()
[ "$ssh" -eq 1 ] && ssh_args=(--ssh "127.0.0.1:${TW_DEMO_SSH_PORT:-$((port + 2))}" --ssh-key "$run_dir/ssh_host_key")
build/sim/tarnwick-olt-sim --listen "127.0.0.1:$port" --control "127.0.0.1:$control" --scenario demo \
  "${ssh_args[@]}" >"$run_dir/simulator.log" 2>&1 &
sim_pid=$!
cleanup() { kill "$sim_pid" 2>/dev/null || true; [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do grep -q '^listening' "$run_dir/simulator.log" && break; sleep 0.1; done
if ! grep -q '^listening' "$run_dir/simulator.log"; then
  echo "The OLT simulator did not start:" >&2
  cat "$run_dir/simulator.log" >&2
  exit 1
fi
protocol=Telnet
ssh_port=22
if [ "$ssh" -eq 1 ]; then
  for _ in $(seq 50); do grep -q '^ssh ' "$run_dir/simulator.log" && break; sleep 0.1; done
  ssh_port=$(sed -n 's/^ssh .*:\([0-9]*\)$/\1/p' "$run_dir/simulator.log" | head -n 1)
  if [ -z "$ssh_port" ]; then
    echo "The OLT simulator does not serve SSH:" >&2
    cat "$run_dir/simulator.log" >&2
    exit 1
  fi
  protocol=SSH
fi

# config.ini is GBK. The demo's IPTV service ports sit on GEM port 2 with multicast users, so a
# move has to clear both GEM ports and IPTV.
if [ "$keep" -eq 0 ] || [ ! -f "$run_dir/config.ini" ]; then
  rm -f "$run_dir/config.ini"
  password=$(build/src/tarnwick --encode-password admin)
  printf '[OLT]\r\nIP地址=127.0.0.1\r\n协议=%s\r\n端口=%s\r\nSSH端口=%s\r\n帐号=root\r\n密码=%s\r\n标识=演示OLT\r\n开启日志=真\r\n自动重连=真\r\n自动移机=真\r\n开启IPTV=真\r\n[基本]\r\ngemport=1,2\r\n点播外层=3444\r\n' \
    "$protocol" "$port" "$ssh_port" "$password" | iconv -f UTF-8 -t GBK >"$run_dir/config.ini"
  chmod 600 "$run_dir/config.ini"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=:${TW_DEMO_DISPLAY:-77}
  Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  echo "No display found: the console runs on the virtual display $DISPLAY."
fi

echo "OLT simulator on 127.0.0.1:$port (account root, password admin), control port $control; run directory $run_dir"
[ "$ssh" -eq 1 ] && echo "SSH on 127.0.0.1:$ssh_port (host key $run_dir/ssh_host_key, known hosts $run_dir/known_hosts)"
echo "End the demo with 程序(&F) → 退出 in the console (or Ctrl+C here); the simulator stops with it."
build/src/tarnwick --run-dir "$run_dir"

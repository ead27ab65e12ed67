# What the Windows checks under Wine share (sourced by scripts/windows-wire.sh and
# scripts/windows-window.sh, with $sim naming orvek-sim): the simulator started and stopped, and
# each check's line and count.

sim_pid=""
stop_sim() {
  if [ -n "$sim_pid" ]; then
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
  fi
}

# start_sim RECEIVED [OPTION...]: starts the simulator with the options, recording what it
# receives into RECEIVED (hexadecimal), its span into RECEIVED less .rx plus .timing and each
# byte's time into ... .times; sets $pty to its device.
start_sim() {
  local received="$1"
  shift
  rm -f sim.out
  "$sim" "$@" --received "$received" --timing "${received%.rx}.timing" \
    --received-times "${received%.rx}.times" >sim.out 2>sim.err &
  sim_pid=$!
  for _ in $(seq 1 100); do
    [ -s sim.out ] && break
    sleep 0.05
  done
  pty="$(head -n 1 sim.out)"
  [ -n "$pty" ] || { echo "orvek-sim did not start: $(cat sim.err)"; exit 1; }
}

passed=0
total=0
failures=()
# result NAME ok|failed TEXT: one line of the check, counted.
result() {
  total=$((total + 1))
  if [ "$2" = ok ]; then
    passed=$((passed + 1))
    printf '  %-34s %s\n' "$1" "$3"
  else
    failures+=("$1")
    printf '  %-34s FAILED: %s\n' "$1" "$3"
  fi
}

# tools/bench's table rows for one benchmark program's JSON output (Google Benchmark's, or a
# start-up script's in its shape): a row per goal of the program in bench/goals.txt and
# argument of its measured benchmark, without a goal a row per benchmark with its time; each
# row as name, ratio, goal and verdict, tab-separated.
# Arguments: $program; $goals, the text of bench/goals.txt; $kind, "google" for the programs,
# which compare CPU time (other work on the machine disturbs it least), or "startup" for the
# scripts, which compare the time until the window shows.

def goals:
  $goals | split("\n")[] | sub("#.*"; "") | [splits("\\s+") | select(. != "")]
  | select(length >= 4)
  | {program: .[0], measured: .[1], baseline: .[2], goal: .[3], named: (.[4:] | join(" "))};

def nanoseconds:
  (if $kind == "google" then .cpu_time else .real_time end)
  * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[.time_unit];

# "BM_Zerlege/65536" is BM_Zerlege with the argument "/65536".
def family: .name | split("/")[0];
def argument: .name[(family | length):];

# What printf's "%.3f" writes for a ratio.
def threeDecimals:
  (. * 1000 | round) as $thousandths
  | "\($thousandths / 1000 | floor).\(1000 + $thousandths % 1000 | tostring | .[1:])";

def name($goal; $argument):
  if $kind == "google" then
    "\($program) \($goal.measured)\($argument) / \($goal.baseline)\($argument)"
  elif $goal.named != "" then "\($program) / \($goal.named)"
  else $program end;

# Judged as shown, to three decimals.
def verdict($goal):
  if . == "failed" then "FAILED"
  elif tonumber <= ($goal.goal | tonumber) then "met"
  else "MISSED" end;

def ratio($baseline):
  if .error_occurred or $baseline == null or ($baseline | nanoseconds) == 0 then "failed"
  else nanoseconds / ($baseline | nanoseconds) | threeDecimals end;

def ratioRows($runs; $goal):
  [$runs[] | select(family == $goal.measured)] as $measured
  | if $measured == [] then [name($goal; ""), "failed", $goal.goal, "FAILED"]
    else
      $measured[]
      | argument as $argument
      | ratio([$runs[] | select(.name == $goal.baseline + $argument)] | first) as $ratio
      | [name($goal; $argument), $ratio, $goal.goal, ($ratio | verdict($goal))]
    end;

def timeRows($runs):
  $runs[] | ["\($program) \(.name)", "\(nanoseconds | round) ns", "-", ""];

[.benchmarks[] | select(.run_type != "aggregate")] as $runs
| [goals | select(.program == $program)] as $goals
| if $goals == [] then timeRows($runs) else $goals[] as $goal | ratioRows($runs; $goal) end
| @tsv

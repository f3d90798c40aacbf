# dry-run.tm: with exec off nothing is started; the trace shows what would run.
# Command files named with @ are still read, conditions still judged and
# blocks still entered.
#
#   tolm32 --console examples/dry-run.tm
/set debug=on
/set exec=off
sh /wait "-c" "echo this line is only traced"
/if env(HOME) ne "" {
  "/usr/bin/gedit" notes.txt
} /else {
  xterm
}
# A path holding "/" is written in double quotes: unquoted, everything from
# the "/" on would be read as an option word.
@"examples/retry.tm"

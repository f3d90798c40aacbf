# retry.tm: a /do ... /while loop that retries a step until it succeeds.
# A failure inside the block ends that pass only; errorlevel() tells the
# condition whether the pass failed.
#
#   tolm32 --console examples/retry.tm
/set debug=on
/set TRIES=0
/do {
  /set TRIES=env(TRIES) + 1
  # Succeeds on the third try.
  sh /wait "-c" "echo try $TRIES; test $TRIES -ge 3"
} /while errorlevel() ne 0
sh /wait "-c" "echo Succeeded after $TRIES tries."

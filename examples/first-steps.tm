# first-steps.tm: start programs, wait for them and branch on how they ended.
#
#   tolm32 --console examples/first-steps.tm
#
# "debug on" collects a trace of the decisions taken; it is printed when the
# run ends.
/set debug=on

# Environment variables set here are inherited by every program started later.
/set GREETING="Hello from Tolm, running in " & env(PWD)
sh /wait "-c" "echo $GREETING"

# /wait waits for the program; errorlevel() is then its exit status.
sh /wait "-c" "exit 3"
/if errorlevel() eq 3 {
  sh /wait "-c" "echo The last program ended with status 3."
} /else {
  /pause Something unexpected happened.
}

# Without /wait programs run side by side; /waitall collects them all and
# keeps the last non-zero exit status.
sleep 1
sh "-c" "sleep 0.5; exit 4"
sleep 1
/waitall
/if errorlevel() ne 0 {
  sh /wait "-c" "echo One of the background programs failed: status 4."
}

# A program that cannot be started: /warn shows the message and goes on.
# (A name with a minus sign is quoted: unquoted, "-" would subtract.)
"no-such-program-anywhere" /warn
sh /wait "-c" "echo Done."

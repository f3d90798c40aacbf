# trace.tm: "debug all" traces every command as it runs, shows the lexer's
# trace of every file read, and writes the diagnostic log (/tmp/tolmdebug.log
# unless "/set debug=<file>" names another).
#
#   tolm32 --console examples/trace.tm
/set debug=all
/set NAME=world
sh /wait "-c" "echo hello, $NAME"
/sleep 1
/set debug=off
